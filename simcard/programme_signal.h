#pragma once
// What the card's meters read: a programme signal that is a pure function of the time and the hardware
// state, so that every process sees the same levels and tests can ask for any moment. Each source has
// music of its own (beats with accents, a swelling phrase, a break every eight bars); the inputs pass
// through gain and mute, the outputs play their selected source through volume and mute.
#include "simcard/card_devices.h"
#include "simcard/hardware_state.h"
#include "simcard/stereo_level.h"

#include <cstdint>

namespace simcard {

// timeMs: any steady millisecond count, 0 and up (earlier times read as 0).
StereoLevel DeviceLevel(const CardHardware& hardware, const CardDevice& device, std::int64_t timeMs);

} // namespace simcard
