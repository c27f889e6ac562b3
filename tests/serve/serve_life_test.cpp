// serve's life beside the sound server: one per user, what it adds and removes, the card count and the
// connections it follows, a server that dies under it and a serve that is killed.
#include "simcard/live_file.h"
#include "simcard/server/connections.h"
#include "tests/serve/sound_test.h"

#include <csignal>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace sound_test {
namespace {

using testing::HasSubstr;

// The modules on the server that carry serve's mark.
int MarkedModules() {
    std::istringstream lines(Pactl("list short modules"));
    int count = 0;
    for (std::string line; std::getline(lines, line);)
        count += line.find("kova2.serve=1") != std::string::npos;
    return count;
}

constexpr int kModulesPerCard = 6; // two playback sinks, two feed sinks, two remap sources

using ServeLife = SoundTest;

TEST_F(ServeLife, ASecondServeIsRefusedAndTheFirstRemovesAllItAddedWhenTerminated) {
    EXPECT_EQ(MarkedModules(), 2 * kModulesPerCard);
    const simcard::ToolRun second = StartServe("second")->Wait();
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_THAT(second.err, HasSubstr("serve cannot start"));

    serve_->Signal(SIGTERM);
    const simcard::ToolRun first = serve_->Wait();
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(MarkedModules(), 0);
    EXPECT_FALSE(std::filesystem::exists(simcard::LiveFilePath()));
    serve_.reset();
}

TEST_F(ServeLife, AKilledServesDevicesAreSweptByTheNextOne) {
    serve_->Signal(SIGKILL);
    serve_->Wait();
    EXPECT_EQ(MarkedModules(), 2 * kModulesPerCard) << "a killed serve cannot remove its devices";
    serve_ = StartServe("next");
    EXPECT_TRUE(WaitUntil(
        [] { return MarkedModules() == 2 * kModulesPerCard && WaitForSink("kova2.card1.analog-out"); }));
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(MarkedModules(), 2 * kModulesPerCard);
}

// Killed mid-playback, serve leaves no application playing and no level behind.
TEST_F(ServeLife, AKilledServeLeavesNoPlaybackAndNoLevels) {
    const TonePlayer tone("kova2.card1.analog-out", kMinus6Dbfs);
    ASSERT_TRUE(WaitUntil([] { return PathUsers() == 1; }));
    ASSERT_TRUE(WaitForLevel(Direction::Output, 0));
    serve_->Signal(SIGKILL);
    serve_->Wait();
    serve_.reset();
    EXPECT_TRUE(WaitUntil([] { return PathUsers() == 0; }, 2s));
    EXPECT_EQ(LevelOver(Direction::Output, 0, 200ms).left, 0);
    EXPECT_EQ(LevelOver(Direction::Input, 0, 200ms).left, 0);
}

TEST_F(ServeLife, TheServerKilledAndRestartedMidRun) {
    ASSERT_EQ(simcard::RunTool({"connect", "1", "optical", "optical48.monitor"}).exitCode, 0);
    ASSERT_TRUE(WaitUntil([] { return LockRate() == 48000; }));
    server_->Kill();
    EXPECT_TRUE(WaitUntil([] { return LockRate() == 0; })) << "locked while the server is down";
    std::this_thread::sleep_for(1s);
    EXPECT_FALSE(serve_->Ended()) << "serve died with the server";

    server_->Start();
    ASSERT_TRUE(WaitForSink("kova2.card1.analog-out", true, 15s)) << "serve did not come back";
    const TonePlayer tone("kova2.card1.analog-out", kMinus6Dbfs);
    EXPECT_TRUE(WaitUntil([] { return std::abs(Db(RecordRms("real_out.monitor"), kSineRms)) < 0.5; }, 5s));
    EXPECT_TRUE(WaitUntil([] { return LockRate() == 48000; }));
    EXPECT_FALSE(serve_->Ended());
}

TEST_F(ServeLife, FollowsTheCardCount) {
    ASSERT_EQ(simcard::RunTool({"cards", "3"}).exitCode, 0);
    EXPECT_TRUE(WaitForSink("kova2.card3.digital-in.feed"));
    EXPECT_EQ(MarkedModules(), 3 * kModulesPerCard);
    ASSERT_EQ(simcard::RunTool({"cards", "1"}).exitCode, 0);
    EXPECT_TRUE(WaitForSink("kova2.card2.analog-out", false));
    EXPECT_TRUE(WaitUntil([] { return MarkedModules() == kModulesPerCard; }));
    EXPECT_TRUE(WaitForSink("kova2.card1.analog-out"));
}

TEST_F(ServeLife, ConnectChecksTheDeviceWithTheServerAndKeepsTheStateOnARefusal) {
    ASSERT_EQ(simcard::RunTool({"connect", "1", "analog-out", "real_in"}).exitCode, 0);
    const auto path = simcard::server::ConnectionsPath();
    const auto before = simcard::server::ReadConnections(path);

    for (const auto& refused : std::vector<std::vector<std::string>>{
             {"connect", "1", "analog-out", "nosuch"},
             {"connect", "1", "analog-out", "real_in.monitor"}, // a source where a sink belongs
             {"connect", "1", "optical", "real_in"},            // and the other way round
             {"connect", "1", "analog-in", "kova2.card1.analog-out.monitor"}}) {
        const simcard::ToolRun run = simcard::RunTool(refused);
        EXPECT_EQ(run.exitCode, 1) << refused[3];
        EXPECT_THAT(run.err, HasSubstr("nothing changed")) << refused[3];
    }
    EXPECT_EQ(simcard::server::ReadConnections(path), before);
    EXPECT_EQ(simcard::RunTool({"connect", "1", "headphones", "real_out"}).exitCode, 2);

    // Another card's playback device is a source like any other.
    EXPECT_EQ(simcard::RunTool({"connect", "1", "analog-in", "kova2.card2.analog-out.monitor"}).exitCode, 0);
    EXPECT_THAT(simcard::RunTool({"connections"}).out, HasSubstr("card 1  analog-out   real_in\n"));
    EXPECT_THAT(simcard::RunTool({"connections"}).out,
                HasSubstr("card 2  analog-in    default (real_in.monitor)\n"));
}

TEST_F(ServeLife, ConnectWithoutAServerChangesNothing) {
    server_->Kill();
    const simcard::ToolRun run = simcard::RunTool({"connect", "1", "analog-out", "real_out"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("no sound server answers"));
    EXPECT_FALSE(std::filesystem::exists(simcard::server::ConnectionsPath()));
}

} // namespace
} // namespace sound_test
