#include "platform/paths.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace {

struct HostRun {
    int exitCode;
    std::string output;
};

HostRun RunHost(const std::string& arguments) {
    const std::string command =
        "'" + (platform::ExecutableDir() / "rundll").string() + "' " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    HostRun run{-1, {}};
    if (!pipe) return run;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        run.output += buffer;
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

} // namespace

TEST(RundllHost, RefusesBadCommandLinesWithAMessage) {
    for (const std::string arguments :
         {"", "'a' 'b'", "'kova2_testentry.so'", "'kova2_testentry.so,'", "',Answer'",
          "'../bin/kova2_testentry.so,Answer'", "'/usr/lib/x86_64-linux-gnu/libc.so.6,puts x'", "'..,Answer'",
          "'missing.DRV,DriverConfig getstates'", "'kova2_testentry.so,NoSuchEntry x'",
          "'kova2_testentry.so,9lives'"}) {
        const HostRun run = RunHost(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments << ": " << run.output;
        EXPECT_EQ(run.output.rfind("rundll: ", 0), 0u) << arguments << ": " << run.output;
    }
}

TEST(RundllHost, CallsTheEntryAndExitsZero) {
    const HostRun run = RunHost("'kova2_testentry.so,ExitEarly getstates $00000000 #00000000'");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(RunHost("'kova2_testentry.so,ExitEarly'").exitCode, 0);
}

TEST(RundllHost, HeapOfItsOwnIsRemovedAtExit) {
    const auto heapFiles = [] {
        int count = 0;
        for (const auto& item : std::filesystem::directory_iterator(platform::RuntimeDir()))
            count += item.path().filename().string().starts_with("heap-") ? 1 : 0;
        return count;
    };
    const int before = heapFiles();
    // Without a heap named in its environment the entry's allocation makes the host create one.
    const HostRun run = RunHost("'kova2_testentry.so,AllocateBlock getstates $00000000 #00000000'");
    EXPECT_EQ(run.exitCode, 3) << run.output;
    EXPECT_EQ(heapFiles(), before);
}
