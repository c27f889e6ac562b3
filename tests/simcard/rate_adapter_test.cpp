#include "simcard/serve/rate_adapter.h"

#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <malloc.h>
#include <numbers>
#include <vector>

namespace simcard::serve {
namespace {

constexpr double kBlockSeconds = 0.01;

// A stereo sine, continued from call to call.
class SineSource {
public:
    SineSource(double frequency, double rate) : step_(2.0 * std::numbers::pi * frequency / rate) {}

    const std::vector<float>& Next(std::size_t frames) {
        block_.resize(frames * 2);
        for (std::size_t i = 0; i < frames; ++i, phase_ += step_) {
            block_[2 * i] = block_[2 * i + 1] = static_cast<float>(0.5 * std::sin(phase_));
        }
        return block_;
    }

private:
    double step_;
    double phase_ = 0.0;
    std::vector<float> block_;
};

// Runs source and sink in 10 ms blocks for seconds; the source's clock runs fast by drift (0.005 = 0.5 %
// fast). Calls sunk(block) with each pulled block.
template <class Sunk>
void RunClocks(RateAdapter& adapter, double sourceRate, double sinkRate, double drift, double seconds,
               Sunk&& sunk) {
    SineSource sine(1000.0, sourceRate);
    std::vector<float> out(static_cast<std::size_t>(sinkRate * kBlockSeconds) * 2);
    double owed = 0.0; // source frames due but not yet pushed
    for (int block = 0; block < static_cast<int>(seconds / kBlockSeconds); ++block) {
        owed += sourceRate * (1.0 + drift) * kBlockSeconds;
        const auto frames = static_cast<std::size_t>(owed);
        owed -= static_cast<double>(frames);
        const auto& pushed = sine.Next(frames);
        adapter.Push(pushed.data(), frames);
        adapter.Pull(out.data(), out.size() / 2);
        sunk(out);
    }
}

// The frequency of the left channel from its rising zero crossings, placed between samples.
double Frequency(const std::vector<float>& samples, double rate) {
    double first = -1.0;
    double last = -1.0;
    int crossings = 0;
    for (std::size_t i = 2; i < samples.size(); i += 2) {
        const float before = samples[i - 2];
        const float after = samples[i];
        if (before < 0.0f && after >= 0.0f) {
            const double at = static_cast<double>(i / 2 - 1) + before / (before - after);
            if (first < 0.0) first = at;
            last = at;
            ++crossings;
        }
    }
    return crossings < 2 ? 0.0 : (crossings - 1) * rate / (last - first);
}

TEST(RateAdapterTest, A1kHzSineStays1kHzFrom44100To48000) {
    RateAdapter adapter(44100, 48000);
    std::vector<float> tail;
    int block = 0;
    RunClocks(adapter, 44100, 48000, 0.0, 6.0, [&](const std::vector<float>& out) {
        if (++block > 300) tail.insert(tail.end(), out.begin(), out.end()); // after three seconds
    });
    EXPECT_NEAR(Frequency(tail, 48000), 1000.0, 1.0);
    EXPECT_NEAR(adapter.Ratio(), 44100.0 / 48000.0, 44100.0 / 48000.0 * 0.001);
    const auto peak = std::ranges::max(tail, {}, [](float sample) { return std::abs(sample); });
    EXPECT_NEAR(std::abs(peak), 0.5, 0.01) << "the cubic keeps the amplitude";
}

// The interpolation's exact output on a fixed signal (different on each channel, 44.1 kHz pulled at
// 48 kHz in uneven pieces, with drift so that the steering moves the ratio): a faster inner loop must
// give the same samples, bit for bit. The figures are the output of the first, plain implementation.
TEST(RateAdapterTest, TheInterpolationGivesExactlyItsKnownOutput) {
    RateAdapter adapter(44100, 48000);
    std::vector<float> in;
    std::vector<float> out;
    double weighted = 0.0;
    double phase = 0.0;
    std::size_t pulled = 0;
    for (int block = 0; block < 300; ++block) {
        const std::size_t pushFrames = 441 + (block % 3 == 0 ? 2 : 0);
        in.resize(pushFrames * 2);
        for (std::size_t frame = 0; frame < pushFrames; ++frame, phase += 0.1) {
            in[2 * frame] = static_cast<float>(0.5 * std::sin(phase));
            in[2 * frame + 1] = static_cast<float>(0.3 * std::cos(0.37 * phase));
        }
        adapter.Push(in.data(), pushFrames);
        const std::size_t pullFrames = 480 + (block % 5) - 2;
        out.resize(pullFrames * 2);
        adapter.Pull(out.data(), pullFrames);
        for (std::size_t sample = 0; sample < out.size(); ++sample, ++pulled)
            weighted += out[sample] * static_cast<double>(pulled % 7 + 1);
    }
    EXPECT_EQ(adapter.Ratio(), 0.9200242577679616);
    EXPECT_EQ(out[0], -0.0760469288f);
    EXPECT_EQ(out[1], 0.112201631f);
    EXPECT_EQ(out.back(), -0.2600649f);
    EXPECT_EQ(weighted, 16.305405618157238);
}

class RateAdapterDriftTest : public testing::TestWithParam<double> {};

TEST_P(RateAdapterDriftTest, TheFillSettlesAtTheTargetAndTheSoundHasNoGaps) {
    const double drift = GetParam();
    RateAdapter adapter(48000, 48000);
    int block = 0;
    double fillSum = 0.0;
    int measured = 0;
    int silentBlocks = 0;
    RunClocks(adapter, 48000, 48000, drift, 60.0, [&](const std::vector<float>& out) {
        if (++block < 100) return; // the first second primes
        if (std::ranges::all_of(out, [](float sample) { return sample == 0.0f; })) ++silentBlocks;
        if (block > 5000) {
            fillSum += static_cast<double>(adapter.Fill());
            ++measured;
        }
    });
    EXPECT_EQ(silentBlocks, 0) << "no underrun or overrun once running";
    EXPECT_NEAR(fillSum / measured, adapter.TargetFill(), adapter.TargetFill() * 0.1);
    EXPECT_NEAR(adapter.Ratio(), 1.0 + drift, 0.0005) << "the ratio found the clocks' difference";
}

INSTANTIATE_TEST_SUITE_P(HalfAPercent, RateAdapterDriftTest, testing::Values(0.005, -0.005));

// Between clocks that agree, the frames pass unchanged: a ramp of frame numbers comes out as consecutive
// whole numbers, across the ring's wrap too.
TEST(RateAdapterTest, BetweenAgreeingClocksTheFramesPassUnchanged) {
    RateAdapter adapter(48000, 48000, 20.0);
    std::vector<float> ramp(480 * 2);
    std::vector<float> out(480 * 2);
    float next = 0.0f;
    int copiedBlocks = 0;
    constexpr int kSettleBlocks = 300; // the steering settles from the start within three seconds
    constexpr int kBlocks = 800;
    for (int block = 0; block < kBlocks; ++block) {
        for (std::size_t frame = 0; frame < 480; ++frame, next += 1.0f)
            ramp[2 * frame] = ramp[2 * frame + 1] = next;
        adapter.Push(ramp.data(), 480);
        adapter.Pull(out.data(), 480);
        if (block < kSettleBlocks) continue;
        bool consecutive = out[0] > 0.0f;
        for (std::size_t frame = 1; frame < 480; ++frame)
            consecutive = consecutive && out[2 * frame] == out[2 * frame - 2] + 1.0f &&
                          out[2 * frame + 1] == out[2 * frame];
        copiedBlocks += consecutive ? 1 : 0;
    }
    EXPECT_EQ(copiedBlocks, kBlocks - kSettleBlocks);
    EXPECT_EQ(adapter.Ratio(), 1.0);
}

// Real clocks differ by some parts per million: the copying must still follow them, without a gap,
// and copy most of the time.
TEST(RateAdapterTest, ASmallDriftIsFollowedWhileMostlyCopying) {
    for (const double drift : {0.0002, -0.0002}) {
        RateAdapter adapter(48000, 48000);
        int block = 0;
        int silentBlocks = 0;
        int copiedBlocks = 0;
        std::size_t lowest = adapter.Fill() + 48000;
        std::size_t highest = 0;
        RunClocks(adapter, 48000, 48000, drift, 120.0, [&](const std::vector<float>& out) {
            if (++block < 100) return;
            if (std::ranges::all_of(out, [](float sample) { return sample == 0.0f; })) ++silentBlocks;
            copiedBlocks += adapter.Ratio() == 1.0 ? 1 : 0;
            lowest = std::min(lowest, adapter.Fill());
            highest = std::max(highest, adapter.Fill());
        });
        EXPECT_EQ(silentBlocks, 0) << drift;
        EXPECT_GT(copiedBlocks, block / 2) << drift;
        EXPECT_GT(static_cast<double>(lowest), adapter.TargetFill() * 0.8) << drift;
        EXPECT_LT(static_cast<double>(highest), adapter.TargetFill() * 1.2) << drift;
    }
}

TEST(RateAdapterTest, AnUnderrunIsSilenceUntilTheTargetIsRefilled) {
    RateAdapter adapter(48000, 48000, 20.0);
    std::vector<float> out(480 * 2, 1.0f);
    adapter.Pull(out.data(), 480);
    EXPECT_TRUE(std::ranges::all_of(out, [](float sample) { return sample == 0.0f; }));

    const std::vector<float> half(480 * 2, 0.25f);
    adapter.Push(half.data(), 480);
    adapter.Pull(out.data(), 480);
    EXPECT_TRUE(std::ranges::all_of(out, [](float sample) { return sample == 0.0f; })) << "below the target";

    adapter.Push(half.data(), 480);
    adapter.Pull(out.data(), 480);
    EXPECT_FLOAT_EQ(out[0], 0.25f);
    EXPECT_FLOAT_EQ(out.back(), 0.25f);

    adapter.Pull(out.data(), 480); // 480 frames left, the cubic needs a few beyond the last
    EXPECT_FLOAT_EQ(out[0], 0.25f);
    EXPECT_EQ(out.back(), 0.0f) << "ran dry";
}

TEST(RateAdapterTest, AnOverrunDropsTheOldestAndKeepsTheTargetLatency) {
    RateAdapter adapter(48000, 48000, 20.0);
    std::vector<float> ramp;
    for (int frame = 0; frame < 48000 * 2; ++frame) { // two seconds, more than it holds
        ramp.push_back(static_cast<float>(frame));
        ramp.push_back(static_cast<float>(frame));
    }
    adapter.Push(ramp.data(), ramp.size() / 2);
    EXPECT_LE(adapter.Fill(), static_cast<std::size_t>(adapter.TargetFill()) + 1);
    std::vector<float> out(2 * 2);
    adapter.Pull(out.data(), 2);
    EXPECT_NEAR(out[0], 48000 * 2 - adapter.TargetFill(), 2.0) << "the newest frames play, the oldest went";
}

// A sink that stalls for a while must not leave everything after it playing late.
TEST(RateAdapterTest, AFillMoreThan50msAboveTheTargetIsCutBackAtOnce) {
    RateAdapter adapter(48000, 48000, 20.0);
    const std::vector<float> block(480 * 2, 0.1f);
    for (int pushed = 0; pushed < 7; ++pushed)
        adapter.Push(block.data(), 480);
    EXPECT_EQ(adapter.Fill(), 7u * 480) << "50 ms (2400 frames) above the target of 960 is not yet too much";
    adapter.Push(block.data(), 480);
    EXPECT_EQ(adapter.Fill(), 960u);
}

TEST(RateAdapterTest, PushAndPullNeverAllocate) {
    RateAdapter adapter(44100, 48000);
    std::vector<float> in(441 * 2, 0.1f);
    std::vector<float> out(480 * 2);
    adapter.Push(in.data(), 441);
    const std::size_t before = mallinfo2().uordblks;
    for (int block = 0; block < 1000; ++block) {
        adapter.Push(in.data(), 441);
        adapter.Pull(out.data(), 480);
    }
    EXPECT_EQ(mallinfo2().uordblks, before);
}

} // namespace
} // namespace simcard::serve
