#pragma once
// A live writer in a child process that is killed (ends without its destructor) once it has
// published, as a serve that dies would.
#include "simcard/live_file.h"

#include <gtest/gtest.h>
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

} // namespace simcard
