#pragma once
// serve's loop: libpulse's single-threaded mainloop, woken once per block instead of by each of the
// server's messages. Between blocks it sleeps (or until the loop's own nearest timer, such as a
// reconnect), then takes every message that came meanwhile, polling without waiting until none is
// left, and runs the block after them, so that the block mixes what just arrived. SIGTERM, SIGINT and SIGHUP
// end the run through the loop, within one block.
#include <cstdint>
#include <functional>

struct pa_mainloop;
struct pa_mainloop_api;
struct pollfd;

namespace simcard::server {

class BlockLoop {
public:
    explicit BlockLoop(std::uint64_t blockUs);
    ~BlockLoop();
    BlockLoop(const BlockLoop&) = delete;
    BlockLoop& operator=(const BlockLoop&) = delete;

    pa_mainloop* mainloop() const { return mainloop_; }
    pa_mainloop_api* api() const;

    // Calls block every blockUs until one of the ending signals comes (or the loop fails). A late
    // block catches up a few blocks, then skips ahead.
    void RunUntilSignal(const std::function<void()>& block);

private:
    static int Poll(pollfd* descriptors, unsigned long count, int timeoutMs, void* self);
    void RunDueBlocks(const std::function<void()>& block);

    pa_mainloop* mainloop_;
    std::uint64_t blockUs_;
    std::uint64_t nextBlockUs_ = 0; // pa_rtclock_now() time of the next block
    bool runningBlocks_ = false;    // outside RunUntilSignal the loop polls as usual
    bool drained_ = true;           // the last poll found nothing ready: the next one may sleep
    bool ended_ = false;            // an ending signal came
};

} // namespace simcard::server
