#include "platform/paths.h"
#include "simcard/live_file.h"
#include "simcard/tool/admin_tool.h"
#include "tests/simcard/fresh_card.h"
#include "tests/simcard/heap_block.h"
#include "tests/simcard/live_writer_process.h"
#include "tests/simcard/tool_run.h"
#include "tests/simcard/wave_client.h"

#include <chrono>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <thread>

namespace simcard {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;

class AdminToolTest : public FreshCard {
protected:
    static std::vector<std::int32_t> GetStates() {
        const auto result = CallDriverConfig("getstates", std::vector<std::byte>(kDriverStatesSize));
        EXPECT_EQ(result.status, kStatusDone);
        return Int32Fields(result.record);
    }
};

TEST_F(AdminToolTest, ChangesReachTheDriversStates) {
    EXPECT_EQ(RunTool({"card", "2", "-30"}).exitCode, 0);
    EXPECT_THAT(GetStates(), ElementsAre(1, 1, -30, 0, 0));

    EXPECT_EQ(RunTool({"cards", "4"}).exitCode, 0);
    EXPECT_EQ(RunTool({"card", "4", "-31"}).exitCode, 0);
    EXPECT_EQ(RunTool({"state", "-17"}).exitCode, 0);
    EXPECT_THAT(GetStates(), ElementsAre(-17, 1, -30, 1, -31));

    EXPECT_EQ(RunTool({"cards", "1"}).exitCode, 0);
    EXPECT_THAT(GetStates(), ElementsAre(-17, 1, 0, 0, 0));

    EXPECT_EQ(RunTool({"reset"}).exitCode, 0);
    EXPECT_THAT(GetStates(), ElementsAre(1, 1, 1, 0, 0));
}

TEST_F(AdminToolTest, ReconfigurableAndShow) {
    EXPECT_EQ(RunTool({"reconfigurable", "off"}).exitCode, 0);
    const auto answer = CallDriverConfig("reconfigurable", std::vector<std::byte>(4, std::byte{0x55}));
    EXPECT_THAT(Int32Fields(answer.record), ElementsAre(kFalse));

    const ToolRun show = RunTool({"show"});
    EXPECT_EQ(show.exitCode, 0);
    EXPECT_EQ(show.err, "");
    EXPECT_THAT(show.out, HasSubstr("reconfigurable              no"));
    EXPECT_THAT(show.out, HasSubstr("SyncBusMaster               yes       no\n"));
}

// An application playing on any installed card locks the settings; the view says why.
TEST_F(AdminToolTest, PlaybackLocksTheSettingsAndTheViewShowsTheOnTheFlyBars) {
    EXPECT_EQ(RunTool({"playback", "2", "on"}).exitCode, 0);
    EXPECT_THAT(Int32Fields(CallDriverConfig("reconfigurable", std::vector<std::byte>(4)).record),
                ElementsAre(kFalse));
    EXPECT_THAT(RunTool({"show"}).out,
                HasSubstr("reconfigurable              no (an application plays on a card)"));

    EXPECT_EQ(RunTool({"playback", "2", "off"}).exitCode, 0);
    EXPECT_THAT(Int32Fields(CallDriverConfig("reconfigurable", std::vector<std::byte>(4)).record),
                ElementsAre(kTrue));

    std::vector<std::byte> onTheFly(kOnTheFlySize);
    StoreInt32(onTheFly.data() + on_the_fly::kGranularity, 3 * 1000 / 800);
    StoreInt32(onTheFly.data() + on_the_fly::kLatency, 50 * 1000 / 800);
    CallDriverConfig("setconfig_onthefly", onTheFly);
    EXPECT_THAT(RunTool({"show"}).out, HasSubstr("granularity 3 (bar 3), latency 62 (bar 50)"));
}

TEST_F(AdminToolTest, BadArgumentsGiveAMessageTheUsageAndNoChange) {
    const std::vector<std::vector<std::string>> badCalls = {{},
                                                            {"bogus"},
                                                            {"cards", "5"},
                                                            {"cards", "0"},
                                                            {"cards", "two"},
                                                            {"card", "1"},
                                                            {"card", "3", "-30"},
                                                            {"card", "1", "-3o"},
                                                            {"state", "1.5"},
                                                            {"state", "99999999999"},
                                                            {"reconfigurable", "maybe"},
                                                            {"trace", "sideways"},
                                                            {"show", "all"},
                                                            {"lock", "1", "7999"},
                                                            {"lock", "1", "on"},
                                                            {"lock", "3", "48000"},
                                                            {"playback", "1", "yes"},
                                                            {"refuse-route", "0", "on"},
                                                            {"route", "1", "analog", "4"},
                                                            {"route", "1", "left", "2"},
                                                            {"route", "3", "digital", "2"},
                                                            {"remove", "3"}};
    for (const auto& call : badCalls) {
        SCOPED_TRACE(testing::PrintToString(call));
        const ToolRun run = RunTool(call);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_THAT(run.err, HasSubstr("kova2-card: "));
        EXPECT_THAT(run.err, HasSubstr("usage: kova2-card"));
    }
    EXPECT_THAT(GetStates(), ElementsAre(1, 1, 1, 0, 0));
    EXPECT_FALSE(TraceEnabled());
    EXPECT_EQ(RunTool({"help"}).exitCode, 0);
}

// Each line: two spaces, the call, at least two spaces, the description starting in the same column.
TEST_F(AdminToolTest, HelpStartsEveryDescriptionInOneColumnClearOfTheLongestCall) {
    const ToolRun run = RunTool({"help"});
    ASSERT_EQ(run.exitCode, 0);
    std::istringstream lines(run.out);
    std::string line;
    std::getline(lines, line);
    std::set<std::size_t> columns;
    int commands = 0;
    while (std::getline(lines, line)) {
        const std::size_t gap = line.find("  ", 2);
        ASSERT_NE(gap, std::string::npos) << line;
        columns.insert(line.find_first_not_of(' ', gap));
        ++commands;
    }
    EXPECT_GT(commands, 10);
    EXPECT_EQ(columns.size(), 1u) << run.out;
}

TEST_F(AdminToolTest, HardwareChangesReachTheWaveMessages) {
    EXPECT_EQ(RunTool({"lock", "2", "off"}).exitCode, 0);
    EXPECT_EQ(RunTool({"lock", "1", "48000"}).exitCode, 0);
    EXPECT_EQ(RunTool({"playback", "2", "on"}).exitCode, 0);
    EXPECT_EQ(RunTool({"refuse-route", "2", "on"}).exitCode, 0);

    EXPECT_EQ(ControlHandle(Direction::Input, DigitalDevice(0)).Read32(wave_code::kGetLockRate), 48000u);
    EXPECT_EQ(ControlHandle(Direction::Input, DigitalDevice(1)).Read32(wave_code::kGetLockRate), 0u);
    const ControlHandle output(Direction::Output, AnalogDevice(1));
    EXPECT_EQ(output.Read<4>(wave_code::kGetRoute)[3], std::byte{1}) << "the playing application";
    EXPECT_EQ(output.Send(wave_code::kSetRoute, kSourceAnalogInput), win::MMSYSERR_ALLOCATED);

    const ToolRun show = RunTool({"show"});
    EXPECT_THAT(show.out, HasSubstr("digital input lock          48000 Hz      no lock\n"));
    EXPECT_THAT(show.out, HasSubstr("application playback        no            yes\n"));
    EXPECT_THAT(show.out, HasSubstr("route changes               allowed       refused\n"));

    EXPECT_EQ(RunTool({"playback", "2", "off"}).exitCode, 0);
    EXPECT_EQ(RunTool({"refuse-route", "2", "off"}).exitCode, 0);
    EXPECT_EQ(output.Send(wave_code::kSetRoute, kSourceAnalogInput), 0u);
}

TEST_F(AdminToolTest, ServeOwnsLockAndPlaybackWhileItRuns) {
    EXPECT_THAT(RunTool({"show"}).out, HasSubstr("serve                       not running\n"));
    {
        LiveWriter serve;
        serve.SetLockRate(0, 96000);
        serve.SetPlaybackRunning(1, true);
        // Beats as serve does, however long the tool runs take (they are slow in the sanitizer build).
        const std::jthread heart([&serve](std::stop_token stop) {
            while (!stop.stop_requested()) {
                serve.Beat();
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
        const ToolRun lock = RunTool({"lock", "1", "48000"});
        EXPECT_EQ(lock.exitCode, kToolFailed);
        EXPECT_EQ(lock.err, "kova2-card: serve (pid " + std::to_string(getpid()) +
                                ") owns the digital input's lock while it runs; stop it first\n");
        const ToolRun playback = RunTool({"playback", "1", "on"});
        EXPECT_EQ(playback.exitCode, kToolFailed);
        EXPECT_THAT(playback.err, HasSubstr("owns whether an application plays while it runs"));
        EXPECT_EQ(Card([](CardStateLayout& state) { return state.hardware[0]; }), DefaultHardware(0));

        const ToolRun show = RunTool({"show"});
        EXPECT_THAT(show.out,
                    HasSubstr("serve                       running (pid " + std::to_string(getpid())));
        EXPECT_THAT(show.out, HasSubstr("live digital input lock     96000 Hz      no lock\n"));
        EXPECT_THAT(show.out, HasSubstr("live application playback   no            yes\n"));
    }
    EXPECT_EQ(RunTool({"lock", "1", "48000"}).exitCode, kToolOk) << "serve has ended";
}

TEST_F(AdminToolTest, AKilledServesFileIsSweptBeforeTheLockIsSet) {
    RunKilledWriter(LiveFilePath(), MonotonicMs, [](LiveWriter&) {});
    std::this_thread::sleep_for(kHeartbeatTimeout);
    EXPECT_THAT(RunTool({"show"}).out, HasSubstr("stopped answering"));
    const ToolRun lock = RunTool({"lock", "1", "48000"});
    EXPECT_EQ(lock.exitCode, kToolOk) << lock.err;
    EXPECT_THAT(lock.out, HasSubstr("removed the live file that a killed serve"));
    EXPECT_FALSE(std::filesystem::exists(LiveFilePath()));
    EXPECT_EQ(Card([](CardStateLayout& state) { return state.hardware[0].lockRate; }), 48000);
    EXPECT_TRUE(WaitForStatus(LiveStatus::NoServer));
}

TEST_F(AdminToolTest, ARouteSetBehindTheProgramsBackIsWhatTheOutputReports) {
    EXPECT_EQ(RunTool({"route", "2", "digital", "3"}).exitCode, 0);
    EXPECT_EQ(ControlHandle(Direction::Output, DigitalDevice(1)).Read<4>(wave_code::kGetRoute)[0],
              std::byte{3});
    EXPECT_EQ(RunTool({"route", "2", "analog", "1"}).exitCode, 0);
    EXPECT_EQ(ControlHandle(Direction::Output, AnalogDevice(1)).Read<4>(wave_code::kGetRoute)[0],
              std::byte{1});

    EXPECT_EQ(RunTool({"route", "2", "digital", "1"}).exitCode, 2) << "two outputs playing each other";
    EXPECT_EQ(ControlHandle(Direction::Output, DigitalDevice(1)).Read<4>(wave_code::kGetRoute)[0],
              std::byte{3});
}

TEST_F(AdminToolTest, ARemovalRequestWithNoProgramListeningFails) {
    const ToolRun run = RunTool({"remove", "2"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("no program is listening"));
    EXPECT_THAT(run.err, HasSubstr("card 2 (device node 0x00C1F8E0)"));
}

TEST_F(AdminToolTest, ADamagedStateFileIsReportedAndReplaced) {
    std::ofstream(CardStatePath(), std::ios::binary | std::ios::trunc) << "rubbish";
    const ToolRun run = RunTool({"card", "1", "-30"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.err, HasSubstr("card.state has 7 bytes instead of 8192"));
    EXPECT_THAT(GetStates(), ElementsAre(1, -30, 1, 0, 0));
}

TEST_F(AdminToolTest, AChangeThatCannotBeKeptFails) {
    const auto blocker = platform::RuntimeDir() / "not-a-folder";
    std::ofstream(blocker) << "x";
    const std::string home = (blocker / "kova2").string();
    for (const auto& call : std::vector<std::vector<std::string>>{{"card", "1", "-30"}, {"trace", "on"}}) {
        SCOPED_TRACE(testing::PrintToString(call));
        const ToolRun run = RunTool(call, home);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_THAT(run.err, HasSubstr("kova2-card: cannot"));
    }
}

TEST_F(AdminToolTest, SwitchesShowsAndClearsTheTrace) {
    EXPECT_EQ(RunTool({"trace", "on"}).exitCode, 0);
    EXPECT_TRUE(TraceEnabled());
    TraceCall("config", "getstates $12340000 #12300000", "done");
    EXPECT_EQ(RunTool({"trace", "show"}).out,
              std::to_string(getpid()) + " config getstates $12340000 #12300000 -> done\n");
    EXPECT_EQ(RunTool({"trace", "clear"}).exitCode, 0);
    EXPECT_TRUE(ReadTrace().empty());
    EXPECT_EQ(RunTool({"trace", "off"}).exitCode, 0);
    EXPECT_FALSE(TraceEnabled());
}

} // namespace
} // namespace simcard
