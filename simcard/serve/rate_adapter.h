#pragma once
// Carries a stereo float stream from a producer to a consumer on another clock: Push at the source's
// rate, Pull at the sink's. The nominal rates may differ and the clocks drift; the adapter keeps its
// fill near the target latency by steering the resampling ratio slowly (a PI controller on the
// smoothed fill) and interpolates with a four-point cubic (Catmull-Rom). Between equal nominal rates
// it copies frames while the steering wants less than a tenth of a percent, which is most of the time
// for clocks that agree; drift grows the correction past that and the cubic takes over until the
// fill is back.
//
// Underrun: Pull gives silence for what it lacks (and starts again once the target is refilled).
// Overrun, a fill more than max(target, 50 ms) above the target (a sink that stalled): Push drops the
// oldest frames back to the target at once, rather than play everything late while the steering
// catches up. So a producer pushes in pieces shorter than that. Neither blocks, neither allocates.
// Not thread-safe: serve calls Push and Pull from the one thread that runs all of its server callbacks.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace simcard::serve {

class RateAdapter {
public:
    // sourceRate, sinkRate: nominal frames per second; targetLatencyMs: the fill it steers to.
    RateAdapter(double sourceRate, double sinkRate, double targetLatencyMs = 20.0);

    // count stereo frames, interleaved.
    void Push(const float* frames, std::size_t count);
    void Pull(float* out, std::size_t count);

    // Source frames buffered now.
    std::size_t Fill() const;
    // Source frames consumed per sink frame now (nominal sourceRate / sinkRate, steered).
    double Ratio() const;
    double TargetFill() const { return targetFill_; }

private:
    // Both give frames into out until count or an underrun, and return how many.
    std::size_t Copy(float* out, std::size_t count);
    std::size_t Interpolate(float* out, std::size_t count);
    void Steer(std::size_t pulled);
    void StartCopying();

    std::vector<float> ring_;   // interleaved, capacity_ frames
    std::size_t capacity_;      // frames
    std::uint64_t written_ = 0; // frames pushed since construction
    std::uint64_t read_ = 0;    // the first frame of the interpolation window
    double fraction_ = 0.0;     // position between frames read_ + 1 and read_ + 2
    double sinkRate_;
    double nominalRatio_;
    double targetFill_;
    std::uint64_t overrunFill_; // more than this many frames is an overrun
    double smoothedFill_;
    double integral_ = 0.0;
    double ratio_;
    bool primed_ = false;  // false until the fill first reaches the target, and again after an underrun
    bool copying_ = false; // the ratio is exactly 1 and the position on a frame
};

} // namespace simcard::serve
