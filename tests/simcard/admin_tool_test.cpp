#include "platform/paths.h"
#include "tests/simcard/fresh_card.h"
#include "tests/simcard/heap_block.h"

#include <fcntl.h>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>

extern char** environ;

namespace simcard {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Slurp(const std::filesystem::path& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

// Runs the built kova2-card with the test's environment (and so its private runtime folder), or with
// KOVA2_HOME set to home when given.
ToolRun RunTool(std::vector<std::string> arguments, const std::string& home = {}) {
    const std::string program = (platform::ExecutableDir() / "kova2-card").string();
    const auto outPath = platform::RuntimeDir() / "tool.out";
    const auto errPath = platform::RuntimeDir() / "tool.err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable) {
        if (home.empty() || std::string_view(*variable).rfind("KOVA2_HOME=", 0) != 0)
            environment.push_back(*variable);
    }
    if (!home.empty()) environment.push_back("KOVA2_HOME=" + home);
    std::vector<char*> envp;
    for (auto& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    pid_t pid;
    ToolRun run;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = Slurp(outPath);
    run.err = Slurp(errPath);
    return run;
}

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
                                                            {"show", "all"}};
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
