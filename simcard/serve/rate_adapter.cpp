#include "simcard/serve/rate_adapter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace simcard::serve {
namespace {

constexpr std::size_t kChannels = 2;
constexpr std::uint64_t kWindow = 4; // frames the cubic reads around a position
constexpr double kBufferSeconds = 0.5;
constexpr double kMaxCorrection = 0.02;        // the steering never changes the pitch by more than 2 %
constexpr double kProportional = 0.02;         // correction per relative fill error
constexpr double kIntegralPerSecond = 0.005;   // integral gain: about critically damped at 20 ms
constexpr double kSmoothingSeconds = 0.2;      // the fill is averaged over the push and pull pattern
constexpr double kOverrunMarginSeconds = 0.05; // at least this much above the target is an overrun
constexpr double kCopyBand = 0.002;            // copying ends at a larger correction between equal rates
constexpr double kCopyStartBand = 0.001;       // and starts again below this one

// The Catmull-Rom weights of the four frames around a position t (0..1) between the middle two.
std::array<float, kWindow> CatmullRomWeights(double t) {
    const double t2 = t * t;
    const double t3 = t2 * t;
    return {static_cast<float>(0.5 * (-t3 + 2.0 * t2 - t)),
            static_cast<float>(0.5 * (3.0 * t3 - 5.0 * t2 + 2.0)),
            static_cast<float>(0.5 * (-3.0 * t3 + 4.0 * t2 + t)), static_cast<float>(0.5 * (t3 - t2))};
}

} // namespace

RateAdapter::RateAdapter(double sourceRate, double sinkRate, double targetLatencyMs)
    : capacity_(std::bit_ceil(static_cast<std::size_t>(
          std::max(sourceRate * kBufferSeconds, 4.0 * sourceRate * targetLatencyMs / 1000.0 + kWindow)))),
      sinkRate_(sinkRate), nominalRatio_(sourceRate / sinkRate),
      targetFill_(std::max(sourceRate * targetLatencyMs / 1000.0, static_cast<double>(kWindow))),
      overrunFill_(std::min<std::uint64_t>(
          capacity_ - 1, static_cast<std::uint64_t>(
                             targetFill_ + std::max(targetFill_, sourceRate * kOverrunMarginSeconds)))),
      smoothedFill_(targetFill_), ratio_(nominalRatio_) {
    ring_.assign(capacity_ * kChannels, 0.0f);
}

void RateAdapter::Push(const float* frames, std::size_t count) {
    if (count > capacity_) { // only the newest fit
        frames += (count - capacity_) * kChannels;
        count = capacity_;
    }
    for (std::size_t copied = 0; copied < count;) {
        const std::size_t slot = written_ & (capacity_ - 1);
        const std::size_t piece = std::min(count - copied, capacity_ - slot);
        std::copy_n(frames + copied * kChannels, piece * kChannels, ring_.data() + slot * kChannels);
        copied += piece;
        written_ += piece;
    }
    if (written_ - read_ > overrunFill_) { // drop the oldest, back to the target latency
        read_ = written_ - static_cast<std::uint64_t>(targetFill_);
        fraction_ = 0.0;
        smoothedFill_ = targetFill_;
        integral_ = 0.0;
    }
}

void RateAdapter::Pull(float* out, std::size_t count) {
    if (!primed_ && static_cast<double>(Fill()) >= targetFill_) primed_ = true;
    std::size_t done = primed_ ? (copying_ ? Copy(out, count) : Interpolate(out, count)) : 0;
    std::fill(out + done * kChannels, out + count * kChannels, 0.0f);
    if (primed_) Steer(count);
}

// At a ratio of exactly 1 and no fraction the cubic is the frame itself: copy it.
std::size_t RateAdapter::Copy(float* out, std::size_t count) {
    const std::size_t available = written_ - read_ < kWindow ? 0 : written_ - read_ - (kWindow - 1);
    const std::size_t done = std::min(count, available);
    for (std::size_t copied = 0; copied < done;) {
        const std::size_t slot = (read_ + 1) & (capacity_ - 1);
        const std::size_t piece = std::min(done - copied, capacity_ - slot);
        std::copy_n(ring_.data() + slot * kChannels, piece * kChannels, out + copied * kChannels);
        copied += piece;
        read_ += piece;
    }
    if (done < count) primed_ = false; // underrun: silence until the target is refilled
    return done;
}

// The position lives in locals and the four frames are read straight from the ring, so that the loop
// keeps everything in registers; the sums are the same, term by term, as one tap at a time.
std::size_t RateAdapter::Interpolate(float* out, std::size_t count) {
    const float* ring = ring_.data();
    const std::uint64_t mask = capacity_ - 1;
    const std::uint64_t written = written_;
    std::uint64_t read = read_;
    double fraction = fraction_;
    std::size_t done = 0;
    for (; done < count && written - read >= kWindow; ++done) {
        const auto weights = CatmullRomWeights(fraction);
        const float* frame0 = ring + (read & mask) * kChannels;
        const float* frame1 = ring + ((read + 1) & mask) * kChannels;
        const float* frame2 = ring + ((read + 2) & mask) * kChannels;
        const float* frame3 = ring + ((read + 3) & mask) * kChannels;
        for (std::size_t channel = 0; channel < kChannels; ++channel) {
            out[done * kChannels + channel] = weights[0] * frame0[channel] + weights[1] * frame1[channel] +
                                              weights[2] * frame2[channel] + weights[3] * frame3[channel];
        }
        fraction += ratio_;
        const int whole = static_cast<int>(fraction); // the ratio is about 1: a few frames at most
        read += static_cast<std::uint64_t>(whole);
        fraction -= whole;
    }
    if (done < count) primed_ = false; // underrun: silence until the target is refilled
    read_ = read;
    fraction_ = fraction;
    return done;
}

void RateAdapter::Steer(std::size_t pulled) {
    const double seconds = static_cast<double>(pulled) / sinkRate_;
    const double fill = static_cast<double>(Fill()) - fraction_;
    smoothedFill_ += std::min(1.0, seconds / kSmoothingSeconds) * (fill - smoothedFill_);
    const double error = (smoothedFill_ - targetFill_) / targetFill_; // above the target: consume faster
    const double integral =
        std::clamp(integral_ + kIntegralPerSecond * error * seconds, -kMaxCorrection, kMaxCorrection);
    const double correction = std::clamp(kProportional * error + integral, -kMaxCorrection, kMaxCorrection);
    // Between equal rates a small correction is not worth the cubic's cost: the fill is left to wander
    // until the correction grows past the band, and the integral holds still meanwhile, so that it
    // keeps what it learnt about the clocks' difference.
    if (nominalRatio_ == 1.0 && std::abs(correction) < (copying_ ? kCopyBand : kCopyStartBand)) {
        StartCopying();
        return;
    }
    integral_ = integral;
    ratio_ = nominalRatio_ * (1.0 + correction);
    copying_ = false;
}

// Rounds the position to the nearest frame: at most half a frame's step, once per change.
void RateAdapter::StartCopying() {
    if (copying_) return;
    copying_ = true;
    ratio_ = 1.0;
    if (fraction_ >= 0.5) ++read_;
    fraction_ = 0.0;
}

std::size_t RateAdapter::Fill() const {
    return static_cast<std::size_t>(written_ - read_);
}

double RateAdapter::Ratio() const {
    return ratio_;
}

} // namespace simcard::serve
