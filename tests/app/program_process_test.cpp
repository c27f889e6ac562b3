// The program as a process of its own, against the simulated card, on the offscreen platform (where
// its tray icon goes to the stand-in tray window).
#include "platform/paths.h"
#include "simcard/trace.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

using namespace std::chrono_literals;

bool TraceHasGetStates() {
    for (const simcard::TraceLine& line : simcard::ReadTrace())
        if (line.event.rfind("config getstates", 0) == 0) return true;
    return false;
}

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

TEST(ProgramProcess, EndsCleanlyWhenTheSessionEndsWithATerminationSignal) {
    ASSERT_TRUE(simcard::SetTraceEnabled(true));
    const std::string program = (platform::ExecutableDir() / "kova2mix").string();
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ), 0);

    ASSERT_TRUE(WaitFor(TraceHasGetStates, 10s)) << "the program never asked the driver for its states";
    std::this_thread::sleep_for(300ms); // into the message loop
    kill(pid, SIGTERM);
    const std::optional<int> exitCode = ExitCodeWithin(pid, 10s);
    if (!exitCode) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(platform::RuntimeDir() / ("heap-" + std::to_string(pid))));
}

} // namespace
