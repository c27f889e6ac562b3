#include "simcard/programme_signal.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace simcard {
namespace {

constexpr CardDevice kAnalogIn{Direction::Input, DeviceKind::Analog, 0};
constexpr CardDevice kDigitalIn{Direction::Input, DeviceKind::Digital, 0};
constexpr CardDevice kAnalogOut{Direction::Output, DeviceKind::Analog, 0};
constexpr CardDevice kDigitalOut{Direction::Output, DeviceKind::Digital, 0};

// Moments spread over a minute and a half, so that beats, accents, swells and breaks all occur.
std::vector<std::int64_t> Moments() {
    std::vector<std::int64_t> moments;
    for (std::int64_t t = 1'000'000; t < 1'090'000; t += 100)
        moments.push_back(t);
    return moments;
}

TEST(ProgrammeSignal, IsAFunctionOfTimeAndStateAlone) {
    const CardHardware hardware = DefaultHardware(0);
    for (std::int64_t t : {0ll, 5'000ll, 123'456'789ll}) {
        EXPECT_EQ(DeviceLevel(hardware, kAnalogIn, t), DeviceLevel(DefaultHardware(0), kAnalogIn, t));
    }
    const CardDevice secondCard{Direction::Input, DeviceKind::Analog, 1};
    EXPECT_NE(DeviceLevel(hardware, kAnalogIn, 7'000), DeviceLevel(DefaultHardware(1), secondCard, 7'000))
        << "each card plays music of its own";
}

TEST(ProgrammeSignal, MovesLikeMusicWithPeaksAndQuietPassages) {
    const CardHardware hardware = DefaultHardware(0);
    std::vector<std::int32_t> lefts;
    int channelsDiffer = 0;
    for (std::int64_t t : Moments()) {
        const StereoLevel level = DeviceLevel(hardware, kAnalogIn, t);
        lefts.push_back(level.left);
        channelsDiffer += level.left != level.right;
    }
    const auto [low, high] = std::ranges::minmax(lefts);
    EXPECT_GT(high, 26000) << "peaks near full scale at unity gain";
    EXPECT_LT(high, 32767) << "no clipping at unity gain";
    EXPECT_LT(low, 2000) << "breaks fall back";
    EXPECT_GT(channelsDiffer, static_cast<int>(lefts.size()) / 2);
}

TEST(ProgrammeSignal, InputsFollowGainAndMute) {
    CardHardware hardware = DefaultHardware(0);
    hardware.inputGain = {100 << 8, 120 << 8}; // -14 dB and -4 dB
    const CardHardware quieter = hardware;
    hardware.inputGain = {120 << 8, 120 << 8};
    hardware.inputMute = {0, 0xFFFF};
    for (std::int64_t t : {3'000ll, 41'250ll, 77'777ll}) {
        const StereoLevel low = DeviceLevel(quieter, kAnalogIn, t);
        const StereoLevel high = DeviceLevel(hardware, kAnalogIn, t);
        EXPECT_NEAR(high.left, low.left * std::pow(10.0, 0.5), 3.0);
        EXPECT_EQ(high.right, 0);
    }
}

// The moment comes from the caller; at the ends of the clock's range the right channel's lag must not
// overflow (the sanitizer build halts on it), and the levels stay in range.
TEST(ProgrammeSignal, AnyMomentHasLevelsInRange) {
    const CardHardware hardware = DefaultHardware(0);
    for (const std::int64_t t : {std::numeric_limits<std::int64_t>::max(),
                                 std::numeric_limits<std::int64_t>::min(), std::int64_t{-1}}) {
        const StereoLevel level = DeviceLevel(hardware, kAnalogIn, t);
        EXPECT_GE(std::min(level.left, level.right), 0) << t;
        EXPECT_LE(std::max(level.left, level.right), kLevelFullScale) << t;
    }
}

TEST(ProgrammeSignal, TheDigitalInputIsSilentWithoutLock) {
    CardHardware hardware = DefaultHardware(0);
    EXPECT_GT(DeviceLevel(hardware, kDigitalIn, 10'000).left, 0);
    hardware.lockRate = 0;
    for (std::int64_t t : Moments())
        ASSERT_EQ(DeviceLevel(hardware, kDigitalIn, t), (StereoLevel{0, 0}));
}

TEST(ProgrammeSignal, OutputsPlayTheirSourceThroughVolumeAndMute) {
    CardHardware hardware = DefaultHardware(0);
    const std::int64_t t = 12'345;
    EXPECT_EQ(DeviceLevel(hardware, kAnalogOut, t), (StereoLevel{0, 0})) << "no application plays";
    hardware.playbackRunning = -1;
    EXPECT_GT(DeviceLevel(hardware, kAnalogOut, t).left, 0);

    hardware.analogOutputSource = kSourceAnalogInput;
    EXPECT_EQ(DeviceLevel(hardware, kAnalogOut, t), DeviceLevel(hardware, kAnalogIn, t)) << "at full volume";
    hardware.digitalOutputSource = kSourceOtherOutput;
    EXPECT_EQ(DeviceLevel(hardware, kDigitalOut, t), DeviceLevel(hardware, kAnalogIn, t));

    hardware.outputVolume = {107 << 9, 0xFFFF}; // -10 dB on the left
    hardware.outputMute = {0, 0xFFFF};
    const StereoLevel input = DeviceLevel(hardware, kAnalogIn, t);
    const StereoLevel output = DeviceLevel(hardware, kAnalogOut, t);
    EXPECT_NEAR(output.left, input.left / std::pow(10.0, 0.5), 3.0);
    EXPECT_EQ(output.right, 0);
    EXPECT_EQ(DeviceLevel(hardware, kDigitalOut, t), output) << "the digital output plays the analog one";

    hardware.analogOutputSource = kSourceDigitalInput;
    hardware.lockRate = 0;
    EXPECT_EQ(DeviceLevel(hardware, kAnalogOut, t), (StereoLevel{0, 0}));
}

} // namespace
} // namespace simcard
