// Real sound through the card: what applications play into its devices, what the connected real
// devices carry, and the hardware settings made through the driver acting on it.
#include "controls/level_meter.h"
#include "tests/serve/sound_test.h"
#include "toolkit/form.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <future>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace sound_test {
namespace {

constexpr win::UINT kAnalog = 0;
constexpr win::DWORD kBothMuted = 0xFFFFFFFF;
constexpr std::uint8_t kMonitorWhileRecording = 1; // byte 2 of an input state record
constexpr win::DWORD kStereo(std::uint16_t word) {
    return word | (win::DWORD(word) << 16);
}

void Send(Direction direction, win::UINT device, win::UINT message, win::DWORD value) {
    const ControlHandle handle(direction, device);
    ASSERT_EQ(handle.Send(message, value), win::MMSYSERR_NOERROR);
}

// The input state record as a value: byte 1 where the input is monitored, byte 2 when.
win::DWORD InputState(std::uint8_t select, std::uint8_t destination, std::uint8_t when) {
    return select | win::DWORD(destination) << 8 | win::DWORD(when) << 16;
}

double RealOutputRms() {
    return RecordRms("real_out.monitor");
}

using SignalPath = SoundTest;

// The top lumi that the level lights on the analog output window's meter (its size and lumi height).
int LitLumiFor(std::int32_t level) {
    const tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    auto* meter = new controls::TLevelMeter(form.get());
    meter->SetParent(form.get());
    meter->SetBounds(6, 6, 18, 163);
    meter->SetLumiHeight(5);
    meter->SetLevel(level);
    return meter->LitIndex();
}

TEST_F(SignalPath, ASineIntoTheAnalogPlaybackDeviceReachesTheMetersAndTheRealSink) {
    EXPECT_EQ(PathUsers(), 0);
    {
        const TonePlayer tone("kova2.card1.analog-out", kMinus6Dbfs);
        ASSERT_TRUE(WaitUntil([] { return PathUsers() == 1; }))
            << "the driver does not see the application play";
        ASSERT_TRUE(WaitForLevel(Direction::Output, kAnalog));
        const Levels levels = LevelOver(Direction::Output, kAnalog);
        EXPECT_NEAR(levels.left, 16422, 250);
        EXPECT_NEAR(levels.right, 16422, 250);
        EXPECT_EQ(LitLumiFor(levels.left), 31) << "lumis 0 to 31 lit";
        EXPECT_NEAR(Db(RealOutputRms(), kSineRms), 0.0, 0.5);
    }
    EXPECT_TRUE(WaitUntil([] { return PathUsers() == 0; }))
        << "playback still running after the stream ended";
    EXPECT_TRUE(WaitUntil([] { return LevelOver(Direction::Output, kAnalog, 100ms).left == 0; }));
}

TEST_F(SignalPath, OutputMuteSilencesTheRealSinkAndVolume0x1999Is20DbDown) {
    const TonePlayer tone("kova2.card1.analog-out", kMinus6Dbfs);
    ASSERT_TRUE(WaitForLevel(Direction::Output, kAnalog));
    const double full = RealOutputRms();
    EXPECT_NEAR(Db(full, kSineRms), 0.0, 0.5);

    Send(Direction::Output, kAnalog, code::kSetOutputMutes, kBothMuted);
    EXPECT_LT(RealOutputRms(), kSilenceRms);
    EXPECT_EQ(LevelOver(Direction::Output, kAnalog).left, 0);

    Send(Direction::Output, kAnalog, code::kSetOutputMutes, 0);
    Send(Direction::Output, kAnalog, code::kSetVolume, kStereo(0x1999));
    EXPECT_NEAR(Db(RealOutputRms(), full), -20.0, 0.5);
}

TEST_F(SignalPath, AnOutputRoutedToTheAnalogInputPlaysTheRealSource) {
    const TonePlayer microphone("real_in", kMinus6Dbfs);
    ASSERT_TRUE(WaitForLevel(Direction::Input, kAnalog));
    EXPECT_LT(RealOutputRms(), kSilenceRms) << "the application source plays nothing";
    EXPECT_NEAR(LevelOver(Direction::Input, kAnalog).left, 16422, 250) << "the analog input's meter";

    const ControlHandle analogOut(Direction::Output, kAnalog);
    ASSERT_EQ(analogOut.Send(code::kSetRoute, simcard::kSourceAnalogInput), win::MMSYSERR_NOERROR);
    EXPECT_NEAR(Db(RealOutputRms(), kSineRms), 0.0, 0.5);

    // The input gain acts on the way: position 108 is 10 dB down.
    Send(Direction::Input, kAnalog, code::kSetGains, kStereo(108 << 8));
    EXPECT_NEAR(Db(RealOutputRms(), kSineRms), -10.0, 0.5);
}

// Monitoring "while recording" adds the input to the output only while an application records from the
// input's capture device; that device carries the input too.
TEST_F(SignalPath, MonitoringPlaysTheInputWhileAnApplicationRecordsIt) {
    const TonePlayer microphone("real_in", kMinus6Dbfs);
    Send(Direction::Input, kAnalog, code::kSetInputState,
         InputState(0, simcard::kMonitorToAnalogOut, kMonitorWhileRecording));
    ASSERT_TRUE(WaitForLevel(Direction::Input, kAnalog));
    EXPECT_LT(RealOutputRms(), kSilenceRms) << "monitored while nothing records";

    auto captured = std::async(std::launch::async, [] { return RecordRms("kova2.card1.analog-in", 1.2); });
    std::this_thread::sleep_for(500ms);
    EXPECT_NEAR(Db(RealOutputRms(), kSineRms), 0.0, 0.5) << "not monitored while recording";
    EXPECT_NEAR(Db(captured.get(), kSineRms), 0.0, 1.0) << "the capture device does not carry the input";
    std::this_thread::sleep_for(200ms);
    EXPECT_LT(RealOutputRms(), kSilenceRms) << "still monitored after the recording ended";
}

// The lines a pactl listing prints, split at tabs.
std::vector<std::vector<std::string>> Listing(const std::string& what) {
    std::vector<std::vector<std::string>> rows;
    FILE* pipe = popen(("pactl list short " + what + " 2>/dev/null").c_str(), "r");
    if (!pipe) return rows;
    std::array<char, 512> line;
    while (fgets(line.data(), line.size(), pipe)) {
        std::vector<std::string>& row = rows.emplace_back();
        std::istringstream fields(line.data());
        for (std::string field; std::getline(fields, field, '\t');)
            row.push_back(field);
    }
    pclose(pipe);
    return rows;
}

// The index in the listing of the row whose column holds the text.
std::string IndexOf(const std::string& what, std::size_t column, const std::string& text) {
    for (const auto& row : Listing(what)) {
        if (row.size() > column && row[column].starts_with(text)) return row[0];
    }
    return "none";
}

// How many streams serve keeps on the device: streams is "sink-inputs" or "source-outputs", devices
// "sinks" or "sources".
int ServeStreamsOn(const std::string& streams, const std::string& devices, const std::string& device) {
    const std::string serve = IndexOf("clients", 2, "kova2-card");
    const std::string index = IndexOf(devices, 1, device);
    return static_cast<int>(std::ranges::count_if(Listing(streams), [&](const auto& row) {
        return row.size() > 2 && row[1] == index && row[2] == serve;
    }));
}

// Both cards wired to the default real devices: each device has one stream of serve's, which carries
// the sum of what the cards play to it.
TEST_F(SignalPath, CardsWiredToTheSameRealDevicesShareOneStreamOfTheirSum) {
    constexpr double kQuarter = 0.25;
    const TonePlayer microphone("real_in", kQuarter);
    for (const win::UINT analogOut : {0u, 2u})
        Send(Direction::Output, analogOut, code::kSetRoute, simcard::kSourceAnalogInput);
    ASSERT_TRUE(WaitForLevel(Direction::Output, kAnalog));
    EXPECT_NEAR(Db(RealOutputRms(), kQuarter / std::sqrt(2.0)), 6.02, 0.5) << "both cards play the source";
    EXPECT_EQ(ServeStreamsOn("sink-inputs", "sinks", "real_out"), 1);
    EXPECT_EQ(ServeStreamsOn("source-outputs", "sources", "real_in.monitor"), 1);
}

// The lock rate is the connected source's rate while the digital input selects it.
TEST_F(SignalPath, TheLockRateFollowsTheSelectedInputsSource) {
    EXPECT_EQ(LockRate(), 0u) << "locked without a connected source";
    ASSERT_EQ(simcard::RunTool({"connect", "1", "optical", "optical44.monitor"}).exitCode, 0);
    EXPECT_TRUE(WaitUntil([] { return LockRate() == 44100; })) << LockRate();
    ASSERT_EQ(simcard::RunTool({"connect", "1", "optical", "optical48.monitor"}).exitCode, 0);
    EXPECT_TRUE(WaitUntil([] { return LockRate() == 48000; })) << LockRate();

    Send(Direction::Input, 1, code::kSetInputState, InputState(simcard::kInputElectrical, 2, 0));
    EXPECT_TRUE(WaitUntil([] { return LockRate() == 0; })) << "the unconnected electrical input is locked";
    Send(Direction::Input, 1, code::kSetInputState, InputState(simcard::kInputOptical, 2, 0));
    EXPECT_TRUE(WaitUntil([] { return LockRate() == 48000; }));

    ASSERT_EQ(simcard::RunTool({"connect", "1", "optical", "none"}).exitCode, 0);
    EXPECT_TRUE(WaitUntil([] { return LockRate() == 0; })) << LockRate();
}

// A 44.1 kHz source on the digital input reaches the 48 kHz real sink at its level.
TEST_F(SignalPath, ADigitalSourceOnAnotherRateIsAdapted) {
    ASSERT_EQ(simcard::RunTool({"connect", "1", "optical", "optical44.monitor"}).exitCode, 0);
    const TonePlayer optical("optical44", kMinus6Dbfs, 1000.0, 44100);
    const ControlHandle analogOut(Direction::Output, kAnalog);
    ASSERT_EQ(analogOut.Send(code::kSetRoute, simcard::kSourceDigitalInput), win::MMSYSERR_NOERROR);
    EXPECT_TRUE(WaitUntil([] { return Db(RealOutputRms(), kSineRms) > -0.5; }, 3s));
    EXPECT_NEAR(Db(RealOutputRms(), kSineRms), 0.0, 0.5);
}

} // namespace
} // namespace sound_test
