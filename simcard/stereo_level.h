#pragma once
// A meter's reading of a stereo signal, as the card reports it.
#include <cstdint>

namespace simcard {

constexpr std::int32_t kLevelFullScale = 32767;

struct StereoLevel {
    std::int32_t left;  // peak amplitude, 0..32767
    std::int32_t right; // peak amplitude, 0..32767
    friend bool operator==(const StereoLevel&, const StereoLevel&) = default;
};

} // namespace simcard
