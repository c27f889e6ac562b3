#include "simcard/server/block_loop.h"

#include <algorithm>
#include <csignal>
#include <ctime>
#include <poll.h>
#include <pulse/mainloop-signal.h>
#include <pulse/mainloop.h>
#include <pulse/rtclock.h>
#include <stdexcept>

namespace simcard::server {
namespace {

constexpr int kMostBlocksAtOnce = 4;

// Sleeps until the monotonic time (pa_rtclock_now's clock) in microseconds; a signal cuts it short.
void SleepUntil(std::uint64_t monotonicUs) {
    const timespec until{static_cast<time_t>(monotonicUs / 1'000'000),
                         static_cast<long>(monotonicUs % 1'000'000 * 1000)};
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
}

} // namespace

BlockLoop::BlockLoop(std::uint64_t blockUs) : mainloop_(pa_mainloop_new()), blockUs_(blockUs) {
    if (!mainloop_) throw std::runtime_error("no memory for the sound server's mainloop");
    pa_mainloop_set_poll_func(mainloop_, Poll, this);
    if (pa_signal_init(api()) < 0) {
        pa_mainloop_free(mainloop_);
        throw std::runtime_error("the ending signals cannot be watched");
    }
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        pa_signal_new(
            signal,
            [](pa_mainloop_api*, pa_signal_event*, int, void* self) {
                static_cast<BlockLoop*>(self)->ended_ = true;
            },
            this);
    }
}

BlockLoop::~BlockLoop() {
    pa_signal_done();
    pa_mainloop_free(mainloop_);
}

pa_mainloop_api* BlockLoop::api() const {
    return pa_mainloop_get_api(mainloop_);
}

void BlockLoop::RunUntilSignal(const std::function<void()>& block) {
    runningBlocks_ = true;
    nextBlockUs_ = pa_rtclock_now();
    while (!ended_) {
        if (pa_mainloop_prepare(mainloop_, -1) < 0 || pa_mainloop_poll(mainloop_) < 0 ||
            pa_mainloop_dispatch(mainloop_) < 0)
            break;
        // A pass reads one message from a socket (PipeWire's server has no shared ring): the block
        // waits until all of them are in, unless they keep coming for a whole block.
        if (drained_ || pa_rtclock_now() >= nextBlockUs_ + blockUs_) RunDueBlocks(block);
    }
    runningBlocks_ = false;
}

void BlockLoop::RunDueBlocks(const std::function<void()>& block) {
    const std::uint64_t now = pa_rtclock_now();
    for (int run = 0; run < kMostBlocksAtOnce && nextBlockUs_ <= now; ++run) {
        block();
        nextBlockUs_ += blockUs_;
    }
    if (nextBlockUs_ <= now) nextBlockUs_ = now + blockUs_;
}

// timeoutMs: the loop's nearest timer, 0 while it has work queued, -1 for none. While messages keep
// coming the loop polls again at once; only a poll that found nothing lets the next one sleep.
int BlockLoop::Poll(pollfd* descriptors, unsigned long count, int timeoutMs, void* self) {
    auto& loop = *static_cast<BlockLoop*>(self);
    if (!loop.runningBlocks_) return poll(descriptors, count, timeoutMs);
    if (loop.drained_ && timeoutMs != 0) {
        std::uint64_t wake = loop.nextBlockUs_;
        if (timeoutMs > 0)
            wake = std::min(wake, pa_rtclock_now() + static_cast<std::uint64_t>(timeoutMs) * 1000);
        SleepUntil(wake);
    }
    const int ready = poll(descriptors, count, 0);
    loop.drained_ = ready <= 0;
    return ready;
}

} // namespace simcard::server
