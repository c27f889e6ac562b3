// The wave driver while serve runs: levels, lock rate and playback from its live file.
#include "simcard/live_file.h"
#include "simcard/wave_codes.h"
#include "tests/simcard/fresh_card.h"
#include "tests/simcard/live_writer_process.h"
#include "tests/simcard/wave_client.h"

#include <chrono>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <thread>

namespace simcard {
namespace {

using testing::ElementsAre;
namespace code = wave_code;

constexpr int kCard = 1;
constexpr CardDevice kAnalogInput{Direction::Input, DeviceKind::Analog, kCard};
constexpr CardDevice kDigitalOutput{Direction::Output, DeviceKind::Digital, kCard};

std::vector<std::int32_t> Levels(const ControlHandle& handle, win::UINT message) {
    std::vector<std::int32_t> levels(2);
    const auto bytes = handle.Read<8>(message);
    std::memcpy(levels.data(), bytes.data(), 8);
    return levels;
}

class WaveLiveTest : public FreshCard {
protected:
    void SetUp() override {
        FreshCard::SetUp();
        writer_.emplace();
        ASSERT_TRUE(WaitForStatus(LiveStatus::Live));
    }
    // The next test in this process finds the card without serve.
    void TearDown() override {
        writer_.reset();
        SweepDeadWriter();
        EXPECT_TRUE(WaitForStatus(LiveStatus::NoServer));
    }

    LiveWriter& writer() { return *writer_; }

    // Opened before SetUp, so the card is reset first: an earlier test may have left fewer cards.
    const bool reset_ = (ResetCard(), true);
    ControlHandle analogIn{Direction::Input, AnalogDevice(kCard)};
    ControlHandle analogIn2{Direction::Input, AnalogDevice(kCard)};
    ControlHandle digitalIn{Direction::Input, DigitalDevice(kCard)};
    ControlHandle analogOut{Direction::Output, AnalogDevice(kCard)};
    ControlHandle digitalOut{Direction::Output, DigitalDevice(kCard)};

private:
    std::optional<LiveWriter> writer_;
};

TEST_F(WaveLiveTest, ALevelIsTheHighestPeakSinceThatHandlesLastRead) {
    analogIn.Send(code::kStartInputMeter);
    for (StereoLevel peak : {StereoLevel{1000, 2000}, StereoLevel{5000, 100}, StereoLevel{2000, 300}})
        writer().PublishPeak(kAnalogInput, peak);
    EXPECT_THAT(Levels(analogIn, code::kReadInputLevel), ElementsAre(5000, 2000));

    writer().PublishPeak(kAnalogInput, {3000, 3000});
    EXPECT_THAT(Levels(analogIn, code::kReadInputLevel), ElementsAre(3000, 3000));
    EXPECT_THAT(Levels(analogIn2, code::kReadInputLevel), ElementsAre(5000, 3000)) << "a handle of its own";
    EXPECT_THAT(Levels(analogIn, code::kReadInputLevel), ElementsAre(3000, 3000)) << "no block since: the latest again";

    writer().PublishPeak(kDigitalOutput, {16400, 16400});
    win::DWORD result = 0;
    digitalOut.Read<8>(code::kReadOutputLevel, &result);
    EXPECT_EQ(result, win::MMSYSERR_NOTENABLED) << "only a metered device reads levels";
    digitalOut.Send(code::kStartOutputMeter);
    EXPECT_THAT(Levels(digitalOut, code::kReadOutputLevel), ElementsAre(16400, 16400));
}

TEST_F(WaveLiveTest, LockRateAndPlaybackAreServesNotTheStoredOnes) {
    writer().SetLockRate(kCard, 48000);
    EXPECT_EQ(digitalIn.Read32(code::kGetLockRate), 48000u);
    writer().SetLockRate(kCard, 0);
    EXPECT_EQ(digitalIn.Read32(code::kGetLockRate), 0u);
    EXPECT_EQ(digitalIn.Read<4>(code::kGetInputState)[3], std::byte{0}) << "no signal without a lock";

    EXPECT_EQ(analogOut.Read<4>(code::kGetRoute)[3], std::byte{0});
    writer().SetPlaybackRunning(kCard, true);
    EXPECT_EQ(analogOut.Read<4>(code::kGetRoute)[3], std::byte{1}) << "the playing application";
    const auto reconfigurable =
        CallDriverConfig("reconfigurable", std::vector<std::byte>(kReconfigurableSize));
    EXPECT_EQ(Int32Fields(reconfigurable.record)[0], kFalse)
        << "no settings change while an application plays";

    const CardHardware stored = Card([](CardStateLayout& state) { return state.hardware[kCard]; });
    EXPECT_EQ(stored.lockRate, DefaultHardware(kCard).lockRate) << "card.state keeps its own";
    EXPECT_EQ(stored.playbackRunning, kFalse);
}

TEST_F(WaveLiveTest, WithoutServeTheCardPlaysItsProgrammeSignalAgain) {
    Card([](CardStateLayout& state) { state.hardware[kCard].lockRate = 32000; });
    analogIn.Send(code::kStartInputMeter);
    writer().SetLockRate(kCard, 96000);
    EXPECT_THAT(Levels(analogIn, code::kReadInputLevel), ElementsAre(0, 0)) << "serve has published nothing";

    TearDown();
    EXPECT_EQ(ProcessLive().Status(), LiveStatus::NoServer) << "at once, when serve ends cleanly";
    const auto levels = Levels(analogIn, code::kReadInputLevel);
    EXPECT_GT(levels[0], 0);
    EXPECT_GT(levels[1], 0);
    EXPECT_EQ(digitalIn.Read32(code::kGetLockRate), 32000u);
}

TEST_F(WaveLiveTest, AKilledServeLeavesTheCardSilentAndIdle) {
    TearDown();
    Card([](CardStateLayout& state) { state.hardware[kCard].playbackRunning = kTrue; });
    RunKilledWriter(LiveFilePath(), MonotonicMs, [](LiveWriter& killed) {
        killed.SetPlaybackRunning(kCard, true);
        killed.SetLockRate(kCard, 44100);
        killed.PublishPeak(kAnalogInput, {20000, 20000});
    });
    ASSERT_TRUE(WaitForStatus(LiveStatus::Stale));
    analogIn.Send(code::kStartInputMeter);
    EXPECT_THAT(Levels(analogIn, code::kReadInputLevel), ElementsAre(0, 0));
    EXPECT_EQ(digitalIn.Read32(code::kGetLockRate), 0u);
    EXPECT_EQ(digitalOut.Read<4>(code::kGetRoute)[3], std::byte{0}) << "no application plays any more";
}

} // namespace
} // namespace simcard
