#include "simcard/serve/gain_law.h"

#include "simcard/hardware_state.h"

#include <cmath>

namespace simcard::serve {

float InputGainFactor(std::uint16_t gainWord, std::uint16_t muteWord) {
    if (muteWord) return 0.0f;
    return static_cast<float>(std::pow(10.0, InputGainDb(gainWord) / 20.0));
}

float OutputVolumeFactor(std::uint16_t volumeWord, std::uint16_t muteWord) {
    if (muteWord) return 0.0f;
    return static_cast<float>(volumeWord / 65535.0);
}

} // namespace simcard::serve
