#include "platform/started_process.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace platform {
namespace {

constexpr auto StopReapLimit = std::chrono::seconds(3);

int OpenPidFd(pid_t id) {
#ifdef SYS_pidfd_open
    return int(syscall(SYS_pidfd_open, id, 0));
#else
    return -1;
#endif
}

void ReapInBackground(pid_t id) {
    std::thread([id] {
        int status = 0;
        while (waitpid(id, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

} // namespace

StartedProcess::StartedProcess(pid_t id) : id_(id), pidFd_(OpenPidFd(id)) {}

StartedProcess::StartedProcess(StartedProcess&& other) noexcept
    : id_(other.id_), pidFd_(other.pidFd_), ended_(other.ended_), status_(other.status_) {
    other.id_ = -1;
    other.pidFd_ = -1;
}

StartedProcess& StartedProcess::operator=(StartedProcess&& other) noexcept {
    if (this != &other) {
        Stop();
        Release();
        id_ = other.id_;
        pidFd_ = other.pidFd_;
        ended_ = other.ended_;
        status_ = other.status_;
        other.id_ = -1;
        other.pidFd_ = -1;
    }
    return *this;
}

StartedProcess::~StartedProcess() {
    Stop();
    Release();
}

void StartedProcess::Release() {
    if (pidFd_ >= 0) close(pidFd_);
    pidFd_ = -1;
    id_ = -1;
}

bool StartedProcess::HasEnded() {
    if (ended_) return true;
    if (id_ <= 0) return false;
    int status = 0;
    const pid_t reaped = waitpid(id_, &status, WNOHANG);
    if (reaped == id_) status_ = status;
    // No such child: it was reaped behind our back (SIGCHLD ignored), so it has ended too.
    ended_ = reaped == id_ || (reaped < 0 && errno == ECHILD);
    return ended_;
}

bool StartedProcess::WaitForEnd(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!HasEnded()) {
        if (id_ <= 0) return false;
        // Rounded up: a wait truncated to 0 ms would spin.
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        // The process descriptor wakes us the moment the child ends; without one, look every millisecond.
        if (pidFd_ >= 0) {
            pollfd ready{pidFd_, POLLIN, 0};
            poll(&ready, 1, int(left.count()));
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return true;
}

bool StartedProcess::Stop() {
    if (id_ <= 0 || HasEnded()) return ended_;
    kill(id_, SIGKILL);
    if (WaitForEnd(StopReapLimit)) return true;
    ReapInBackground(id_);
    Release();
    return false;
}

void StartedProcess::EndInBackground(std::chrono::milliseconds grace) {
    if (id_ <= 0 || HasEnded()) {
        Release();
        return;
    }
    std::thread([process = std::move(*this), grace]() mutable {
        if (!process.WaitForEnd(grace)) process.Stop();
    }).detach();
}

void StartedProcess::Detach() {
    if (id_ > 0 && !HasEnded()) ReapInBackground(id_);
    Release();
}

} // namespace platform
