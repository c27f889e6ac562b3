// The program as a process of its own, against the simulated card, on the offscreen platform (where
// its tray icon goes to the stand-in tray window).
#include "platform/paths.h"
#include "simcard/trace.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

using namespace std::chrono_literals;

template <class Condition> bool WaitFor(Condition condition, std::chrono::milliseconds limit) {
    for (auto waited = 0ms; waited < limit; waited += 10ms) {
        if (condition()) return true;
        std::this_thread::sleep_for(10ms);
    }
    return condition();
}

std::optional<int> ExitCodeWithin(pid_t pid, std::chrono::milliseconds limit) {
    int status = 0;
    if (!WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, limit)) return std::nullopt;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool TraceHas(std::string_view start) {
    for (const simcard::TraceLine& line : simcard::ReadTrace())
        if (line.event.rfind(start, 0) == 0) return true;
    return false;
}

pid_t Start(const std::string& program, std::vector<std::string> arguments = {}) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0 ? pid : 0;
}

class ProgramProcess : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(simcard::SetTraceEnabled(true));
        pid = Start((platform::ExecutableDir() / "kova2mix").string());
        ASSERT_NE(pid, 0);
        ASSERT_TRUE(WaitFor([] { return TraceHas("config getstates"); }, 10s))
            << "the program never asked the driver for its states";
        std::this_thread::sleep_for(300ms); // into the message loop
    }

    void TearDown() override {
        if (pid && !exitCode) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
    }

    pid_t pid = 0;
    std::optional<int> exitCode;
};

TEST_F(ProgramProcess, EndsCleanlyWhenTheSessionEndsWithATerminationSignal) {
    kill(pid, SIGTERM);
    exitCode = ExitCodeWithin(pid, 10s);
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(platform::RuntimeDir() / ("heap-" + std::to_string(pid))));
}

TEST_F(ProgramProcess, EndsWhenTheAdminToolRemovesACard) {
    const pid_t tool = Start((platform::ExecutableDir() / "kova2-card").string(), {"remove", "2"});
    EXPECT_EQ(ExitCodeWithin(tool, 10s), 0);
    exitCode = ExitCodeWithin(pid, 10s);
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(TraceHas("config getconfig"));
    EXPECT_TRUE(TraceHas("config setconfig"));
}

} // namespace
