#pragma once
// The card's hardware words as linear factors on float samples.
#include <cstdint>

namespace simcard::serve {

// An input gain word: the fader position in the high byte with the low byte as its fraction, gain in
// dB = (position - 128) / 2. A nonzero mute word gives 0.
float InputGainFactor(std::uint16_t gainWord, std::uint16_t muteWord);

// An output volume word, the standard wave volume, linear: word / 65535, so 0x1999 is 20 dB below
// 0xFFFF. A nonzero mute word gives 0.
float OutputVolumeFactor(std::uint16_t volumeWord, std::uint16_t muteWord);

} // namespace simcard::serve
