#pragma once
// serve as the driver's tests play it: a live writer in a child process that is killed (ends without
// its destructor) once it has published, as a serve that dies would, and waiting for the driver to see.
#include "simcard/live_file.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

namespace simcard {

// Claims path in a child, lets publish(writer) run there, then ends the child with _exit.
template <class Publish>
void RunKilledWriter(const std::filesystem::path& path, LiveClock clock, Publish&& publish) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            LiveWriter writer(path, clock);
            publish(writer);
            _exit(0);
        } catch (...) {
            _exit(1);
        }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child could not claim " << path;
}

// The driver looks for a new live file only every so often, and a stopped heartbeat takes a while.
inline bool WaitForStatus(LiveStatus status) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (ProcessLive().Status() != status) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace simcard
