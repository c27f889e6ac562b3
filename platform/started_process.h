#pragma once
// A child process that ShellExecuteA started. Owning it means being responsible for reaping it: it
// never outlives its owner as a zombie, and ending it never blocks for long.
#include <chrono>
#include <optional>
#include <sys/types.h>

namespace platform {

class StartedProcess {
public:
    explicit StartedProcess(pid_t id);
    StartedProcess(StartedProcess&& other) noexcept;
    StartedProcess& operator=(StartedProcess&& other) noexcept;
    StartedProcess(const StartedProcess&) = delete;
    StartedProcess& operator=(const StartedProcess&) = delete;
    // Stops the child when it is still running.
    ~StartedProcess();

    pid_t Id() const { return id_; }
    // Non-blocking; reaps the child once it has ended. False for a process given up by Stop or Detach.
    bool HasEnded();
    // Waits at most timeout for the child to end; true when it has.
    bool WaitForEnd(std::chrono::milliseconds timeout);
    // SIGKILL, then reap. False only when the child could not be reaped within a few seconds (stuck in
    // the kernel); it is then reaped in the background.
    bool Stop();
    // Gives up ownership: the child runs on and is reaped in the background when it ends.
    void Detach();
    // Gives up ownership at once: a background thread waits up to grace for the child to end, then
    // stops it.
    void EndInBackground(std::chrono::milliseconds grace);
    // The wait status (as from waitpid) once the child has ended and was reaped here.
    std::optional<int> WaitStatus() const { return status_; }

private:
    void Release();

    pid_t id_;
    int pidFd_;                 // readable once the child has ended; -1 where the system has none
    bool ended_ = false;
    std::optional<int> status_; // set once reaped
};

// The process that the calling thread's last successful ShellExecuteA started, unless taken before.
// A process nobody takes runs on and is reaped in the background.
std::optional<StartedProcess> TakeStartedProcess();

} // namespace platform
