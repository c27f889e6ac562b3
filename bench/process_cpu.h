#pragma once
// CPU time used: this process's (all its threads, user and system time), or another process's, read
// from its threads' scheduler statistics in nanoseconds (the X server's, beside the program).
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/types.h>

inline double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// -1 when the process is gone or not readable.
inline double ProcessCpuSeconds(pid_t pid) {
    std::error_code error;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    double seconds = 0;
    bool found = false;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream stat(task.path() / "schedstat");
        unsigned long long nanoseconds = 0;
        if (stat >> nanoseconds) {
            seconds += double(nanoseconds) / 1e9;
            found = true;
        }
    }
    return found ? seconds : -1;
}
