#pragma once
// Wake-ups of this process's threads: a thread's voluntary context switches, each one a sleep that
// something ended, read from /proc. The multimedia timer thread is found by its name.
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <unistd.h>

// The thread's voluntary context switches so far; -1 when it is gone.
inline long VoluntarySwitches(pid_t thread) {
    std::ifstream status("/proc/self/task/" + std::to_string(thread) + "/status");
    for (std::string line; std::getline(status, line);) {
        constexpr std::string_view key = "voluntary_ctxt_switches:";
        if (line.starts_with(key)) return std::stol(line.substr(key.size()));
    }
    return -1;
}

// The first thread of this process with that name, 0 for none.
inline pid_t ThreadNamed(std::string_view name) {
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
        std::string comm;
        std::getline(std::ifstream(task.path() / "comm"), comm);
        if (comm == name) return pid_t(std::stol(task.path().filename().string()));
    }
    return 0;
}

// All threads' voluntary context switches so far.
inline long AllThreadsVoluntarySwitches() {
    long switches = 0;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
        const long thread = VoluntarySwitches(pid_t(std::stol(task.path().filename().string())));
        if (thread > 0) switches += thread;
    }
    return switches;
}

inline pid_t MainThread() { return getpid(); }
