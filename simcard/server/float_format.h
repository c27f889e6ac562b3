#pragma once
// The sample format every stream of serve, its tests and its benchmarks uses: float32 little-endian.
#include <cstdint>
#include <pulse/sample.h>

namespace simcard::server {

inline pa_sample_spec FloatFormat(std::uint32_t rate, std::uint8_t channels) {
    return {PA_SAMPLE_FLOAT32LE, rate, channels};
}

} // namespace simcard::server
