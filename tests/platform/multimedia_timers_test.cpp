// Multimedia timers: periodic ticks, one-shot timers, and kills that the callback cannot outlive.
#include "tests/platform/thread_wakeups.h"
#include "platform/message_post.h"
#include "platform/mmsystem.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Waits generously for a condition that a working timer meets within milliseconds.
template <class Condition> bool Eventually(Condition condition) {
    const auto deadline = Clock::now() + 10s;
    while (!condition()) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

struct Ticks {
    std::mutex mutex;
    std::vector<Clock::time_point> at;
    std::thread::id thread;
    std::size_t Count() {
        std::lock_guard lock(mutex);
        return at.size();
    }
    static void Callback(win::UINT, win::UINT, win::DWORD_PTR user, win::DWORD_PTR, win::DWORD_PTR) {
        auto* ticks = reinterpret_cast<Ticks*>(user);
        std::lock_guard lock(ticks->mutex);
        ticks->at.push_back(Clock::now());
        ticks->thread = std::this_thread::get_id();
    }
};

TEST(MultimediaTimers, PeriodicTicksKeepTheirScheduleOnOneTimerThread) {
    Ticks ticks, other;
    const auto start = Clock::now();
    const win::UINT id = win::timeSetEvent(5, 1, Ticks::Callback, reinterpret_cast<win::DWORD_PTR>(&ticks),
                                           win::TIME_PERIODIC);
    const win::UINT otherId =
        win::timeSetEvent(3, 1, Ticks::Callback, reinterpret_cast<win::DWORD_PTR>(&other),
                          win::TIME_PERIODIC | win::TIME_KILL_SYNCHRONOUS);
    ASSERT_NE(id, 0u);
    ASSERT_NE(otherId, 0u);
    EXPECT_NE(id, otherId);
    EXPECT_TRUE(Eventually([&] { return ticks.Count() >= 10 && other.Count() >= 10; }));
    EXPECT_EQ(win::timeKillEvent(id), win::MMSYSERR_NOERROR);
    EXPECT_EQ(win::timeKillEvent(otherId), win::MMSYSERR_NOERROR);
    // Tick k is due k periods after the start and never comes before.
    for (std::size_t k = 0; k < ticks.at.size(); ++k)
        EXPECT_GE(ticks.at[k] - start, (k + 1) * 5ms) << "tick " << k;
    EXPECT_EQ(ticks.thread, other.thread);
    EXPECT_NE(ticks.thread, std::this_thread::get_id());
}

// Timers of one period whose resolution allows it fire together, however far apart they were set, and
// none before its delay.
TEST(MultimediaTimers, PeriodicTimersWithACoarseResolutionFireTogether) {
    constexpr win::UINT period = 20;
    Ticks first, second;
    const auto firstSet = Clock::now();
    const win::UINT firstId = win::timeSetEvent(period, period, Ticks::Callback,
                                                reinterpret_cast<win::DWORD_PTR>(&first), win::TIME_PERIODIC);
    std::this_thread::sleep_for(7ms);
    const auto secondSet = Clock::now();
    const win::UINT secondId = win::timeSetEvent(
        period, period, Ticks::Callback, reinterpret_cast<win::DWORD_PTR>(&second), win::TIME_PERIODIC);
    EXPECT_TRUE(Eventually([&] { return first.Count() >= 6 && second.Count() >= 5; }));
    win::timeKillEvent(firstId);
    win::timeKillEvent(secondId);
    EXPECT_GE(first.at.front() - firstSet, std::chrono::milliseconds(period));
    EXPECT_GE(second.at.front() - secondSet, std::chrono::milliseconds(period));
    // Each of the second timer's ticks comes right after one of the first's (a loaded machine may drop
    // a tick of either, so it is looked up, not counted).
    std::size_t together = 0;
    for (const Clock::time_point tick : second.at)
        for (const Clock::time_point other : first.at)
            if (tick >= other && tick - other < 5ms) ++together;
    EXPECT_GE(together, second.at.size() - 1);
}

// A slower timer rides on a faster one's wake-up when that comes less than a quarter of its resolution
// early, and keeps its own schedule: no extra ticks.
TEST(MultimediaTimers, ASlowTimerSharesTheWakeUpOfAFastOne) {
    Ticks fast, slow;
    const auto set = Clock::now();
    const win::UINT fastId = win::timeSetEvent(40, 40, Ticks::Callback,
                                               reinterpret_cast<win::DWORD_PTR>(&fast), win::TIME_PERIODIC);
    const win::UINT slowId = win::timeSetEvent(100, 100, Ticks::Callback,
                                               reinterpret_cast<win::DWORD_PTR>(&slow), win::TIME_PERIODIC);
    EXPECT_TRUE(Eventually([&] { return slow.Count() >= 8; }));
    win::timeKillEvent(fastId);
    win::timeKillEvent(slowId);
    const auto elapsed = Clock::now() - set;
    EXPECT_LE(slow.at.size(), std::size_t(elapsed / 100ms) + 1);
    std::size_t together = 0;
    for (const Clock::time_point tick : slow.at)
        for (const Clock::time_point other : fast.at)
            if (tick >= other && tick - other < 5ms) ++together;
    EXPECT_GE(together, slow.at.size() - 1);
}

// What the callbacks of timers that fire together see of the post batch they run in.
struct Batched {
    static inline std::atomic<int> callbacks{0};
    static inline std::atomic<int> outsideABatch{0};
    static inline std::atomic<int> batchEnds{0};
    static void Callback(win::UINT, win::UINT, win::DWORD_PTR, win::DWORD_PTR, win::DWORD_PTR) {
        ++callbacks;
        if (!platform::PostBatch::Open()) ++outsideABatch;
    }
    static void End() { ++batchEnds; }
};

// Their messages then wake the loop once, after the last of them.
TEST(MultimediaTimers, TimersThatFireTogetherCallBackInOnePostBatch) {
    const platform::PostBatchEnd previous = platform::SetPostBatchEnd(Batched::End);
    const win::UINT first = win::timeSetEvent(20, 20, Batched::Callback, 0, win::TIME_PERIODIC);
    const win::UINT second = win::timeSetEvent(20, 20, Batched::Callback, 0, win::TIME_PERIODIC);
    EXPECT_TRUE(Eventually([] { return Batched::callbacks >= 10; }));
    win::timeKillEvent(first);
    win::timeKillEvent(second);
    platform::SetPostBatchEnd(previous);
    EXPECT_EQ(Batched::outsideABatch, 0);
    EXPECT_LE(Batched::batchEnds, Batched::callbacks / 2 + 1);
}

TEST(MultimediaTimers, AOneShotTimerFiresOnceAndIsThenGone) {
    Ticks ticks;
    const win::UINT id =
        win::timeSetEvent(1, 0, Ticks::Callback, reinterpret_cast<win::DWORD_PTR>(&ticks), win::TIME_ONESHOT);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(Eventually([&] { return ticks.Count() == 1; }));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(ticks.Count(), 1u);
    EXPECT_EQ(win::timeKillEvent(id), win::MMSYSERR_INVALPARAM);
}

// The thread sleeps until the earliest timer is due; once that timer is killed it must not wake for
// it: closing the last meter would otherwise leave one wake-up for nothing in an idle program.
TEST(MultimediaTimers, ATimerKilledBeforeItIsDueWakesNoOne) {
    Ticks ticks;
    const auto user = reinterpret_cast<win::DWORD_PTR>(&ticks);
    ASSERT_NE(win::timeSetEvent(1, 0, Ticks::Callback, user, win::TIME_ONESHOT), 0u);
    ASSERT_TRUE(Eventually([&] { return ticks.Count() == 1; }));
    const pid_t timerThread = ThreadNamed(platform::MultimediaTimerThreadName);
    ASSERT_NE(timerThread, 0);

    const win::UINT id = win::timeSetEvent(200, 0, Ticks::Callback, user, win::TIME_ONESHOT);
    std::this_thread::sleep_for(20ms);
    ASSERT_EQ(win::timeKillEvent(id), win::MMSYSERR_NOERROR);
    std::this_thread::sleep_for(30ms);
    const long before = VoluntarySwitches(timerThread);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(VoluntarySwitches(timerThread), before);
    EXPECT_EQ(ticks.Count(), 1u);
}

TEST(MultimediaTimers, RefusesTimersItCannotKeep) {
    EXPECT_EQ(win::timeSetEvent(10, 1, nullptr, 0, win::TIME_PERIODIC), 0u);
    EXPECT_EQ(win::timeSetEvent(0, 1, Ticks::Callback, 0, win::TIME_PERIODIC), 0u);
    EXPECT_EQ(win::timeSetEvent(10, 1, Ticks::Callback, 0, 0x10), 0u); // sets an event
    EXPECT_EQ(win::timeKillEvent(0), win::MMSYSERR_INVALPARAM);
}

struct SlowCallback {
    std::atomic<bool> inside{false};
    std::atomic<int> calls{0};
    static void Callback(win::UINT, win::UINT, win::DWORD_PTR user, win::DWORD_PTR, win::DWORD_PTR) {
        auto* slow = reinterpret_cast<SlowCallback*>(user);
        slow->inside = true;
        ++slow->calls;
        std::this_thread::sleep_for(30ms);
        slow->inside = false;
    }
};

TEST(MultimediaTimers, KillWaitsForARunningCallbackAndNothingRunsAfterIt) {
    for (const win::UINT kind : {win::TIME_PERIODIC, win::TIME_ONESHOT}) {
        SlowCallback slow;
        const win::UINT id =
            win::timeSetEvent(1, 0, SlowCallback::Callback, reinterpret_cast<win::DWORD_PTR>(&slow), kind);
        ASSERT_TRUE(Eventually([&] { return slow.inside.load(); }));
        EXPECT_EQ(win::timeKillEvent(id), win::MMSYSERR_NOERROR);
        EXPECT_FALSE(slow.inside);
        const int calls = slow.calls;
        std::this_thread::sleep_for(20ms);
        EXPECT_EQ(slow.calls, calls);
    }
}

struct SelfKilling {
    std::atomic<win::UINT> id{0};
    std::atomic<int> calls{0};
    std::atomic<win::MMRESULT> killed{0xFFFF};
    static void Callback(win::UINT timer, win::UINT, win::DWORD_PTR user, win::DWORD_PTR, win::DWORD_PTR) {
        auto* self = reinterpret_cast<SelfKilling*>(user);
        ++self->calls;
        self->killed = win::timeKillEvent(timer);
    }
};

TEST(MultimediaTimers, ACallbackMayKillItsOwnTimer) {
    SelfKilling self;
    const win::UINT id = win::timeSetEvent(2, 0, SelfKilling::Callback,
                                           reinterpret_cast<win::DWORD_PTR>(&self), win::TIME_PERIODIC);
    ASSERT_TRUE(Eventually([&] { return self.calls > 0; }));
    EXPECT_TRUE(Eventually([&] { return self.killed == win::MMSYSERR_NOERROR; }));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(self.calls, 1);
    EXPECT_EQ(win::timeKillEvent(id), win::MMSYSERR_INVALPARAM);
}

} // namespace
