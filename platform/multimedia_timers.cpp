// Multimedia timers: one thread that runs every timer's callback when it is due. Periodic timers keep
// their phase on the steady clock, so late callbacks never add up to drift; ticks missed because a
// callback ran long are dropped rather than delivered in a burst. A periodic timer whose resolution
// allows it starts on its period's grid of the steady clock: timers of one period then fire together,
// and the loop their callbacks post to wakes once for all of them instead of once for each. A timer may
// also fire up to a quarter of its resolution early when the thread is awake for another timer anyway:
// a 100-ms poll then shares the wake-up of a 40-ms tick instead of waking the system on its own.
#include "platform/id_sequence.h"
#include "platform/message_post.h"
#include "platform/mmsystem.h"

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <pthread.h>
#include <semaphore.h>
#include <thread>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr win::UINT MaxDelay = 1000000; // ms: the longest delay the system offers

struct Timer {
    win::LPTIMECALLBACK callback;
    win::DWORD_PTR user;
    Clock::duration period; // zero for a one-shot timer
    Clock::time_point due;
    Clock::duration slack; // how early the timer may fire to share a wake-up
};

// What the timer thread sleeps on. Not a condition variable: a thread that wakes from one holds its mutex
// marked as contended, and the unlock before every callback then costs a futex call for nobody.
class WakeSignal {
public:
    WakeSignal() { sem_init(&semaphore_, 0, 0); }
    ~WakeSignal() { sem_destroy(&semaphore_); }
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;

    // Any thread; wakes a sleeper at once, or makes the next sleep return at once.
    void Post() { sem_post(&semaphore_); }

    // Until a post, or until `due` on the steady clock when there is one; posts that came meanwhile are
    // taken with it.
    void WaitUntil(std::optional<Clock::time_point> due) {
        if (!due) {
            while (sem_wait(&semaphore_) != 0 && errno == EINTR) {
            }
        } else {
            const auto sinceEpoch = due->time_since_epoch();
            const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch);
            const timespec until{static_cast<time_t>(seconds.count()),
                                 static_cast<long>((sinceEpoch - seconds) / std::chrono::nanoseconds(1))};
            while (sem_clockwait(&semaphore_, CLOCK_MONOTONIC, &until) != 0 && errno == EINTR) {
            }
        }
        while (sem_trywait(&semaphore_) == 0) {
        }
    }

private:
    sem_t semaphore_;
};

class TimerThread {
public:
    static TimerThread& Instance() {
        static TimerThread thread;
        return thread;
    }

    win::UINT Set(Timer timer) {
        std::lock_guard lock(mutex_);
        const win::UINT id = ids_.Next([&](win::DWORD candidate) { return timers_.count(candidate) != 0; });
        timers_.emplace(id, timer);
        if (!thread_.joinable()) thread_ = std::thread([this] {
            pthread_setname_np(pthread_self(), MultimediaTimerThreadName);
            Run();
        });
        wake_.Post();
        return id;
    }

    // A one-shot timer whose callback runs has already left the table but is still killed, i.e. waited
    // for. From the timer thread itself (a callback killing a timer) nothing is waited for: the callback
    // that runs is the caller's own.
    bool Kill(win::UINT id) {
        std::unique_lock lock(mutex_);
        const auto entry = timers_.find(id);
        const bool waitedFor = entry != timers_.end() && entry == Earliest();
        if (entry != timers_.end()) timers_.erase(entry);
        else if (id == 0 || running_ != id) return false;
        // A thread asleep until the killed timer is due now waits for the next one, or for none, rather
        // than waking later for nothing when the last meter has closed.
        if (waitedFor) wake_.Post();
        if (std::this_thread::get_id() != thread_.get_id())
            finished_.wait(lock, [&] { return running_ != id; });
        return true;
    }

    ~TimerThread() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
            wake_.Post();
        }
        if (thread_.joinable()) thread_.join();
    }

private:
    TimerThread() = default;

    void Run() {
        std::unique_lock lock(mutex_);
        while (!stopping_) {
            const auto next = Earliest();
            if (next != timers_.end() && IsDue(next->second)) {
                FireAllDue(lock);
                continue;
            }
            const std::optional<Clock::time_point> due =
                next == timers_.end() ? std::nullopt : std::optional(next->second.due);
            lock.unlock();
            wake_.WaitUntil(due);
            lock.lock();
        }
    }

    static bool IsDue(const Timer& timer) { return timer.due - timer.slack <= Clock::now(); }

    // The callbacks of one wake-up post as one batch: their loop wakes once, after the last of them.
    void FireAllDue(std::unique_lock<std::mutex>& lock) {
        const PostBatch batch;
        for (auto next = Earliest(); next != timers_.end() && IsDue(next->second); next = Earliest())
            Fire(next, lock);
    }

    std::map<win::UINT, Timer>::iterator Earliest() {
        auto earliest = timers_.begin();
        for (auto it = timers_.begin(); it != timers_.end(); ++it)
            if (it->second.due < earliest->second.due) earliest = it;
        return earliest;
    }

    // Runs the callback without the lock, so that it may set and kill timers.
    void Fire(std::map<win::UINT, Timer>::iterator entry, std::unique_lock<std::mutex>& lock) {
        const win::UINT id = entry->first;
        const Timer timer = entry->second;
        if (timer.period == Clock::duration::zero())
            timers_.erase(entry);
        else
            entry->second.due = NextDue(timer);
        running_ = id;
        lock.unlock();
        timer.callback(id, 0, timer.user, 0, 0);
        lock.lock();
        running_ = 0;
        finished_.notify_all();
    }

    static Clock::time_point NextDue(const Timer& timer) {
        const auto now = Clock::now();
        auto due = timer.due + timer.period;
        if (due <= now) due += ((now - due) / timer.period + 1) * timer.period;
        return due;
    }

    std::mutex mutex_;
    WakeSignal wake_;                  // a timer was set or killed, or the thread is to end
    std::condition_variable finished_; // a callback has returned
    std::map<win::UINT, Timer> timers_;
    IdSequence ids_{0};
    win::UINT running_ = 0; // the timer whose callback runs now, 0 for none
    bool stopping_ = false;
    std::thread thread_;
};

// The first due time of a timer: on the period's grid when that is less than the resolution later.
Clock::time_point FirstDue(Clock::duration delay, Clock::duration period, Clock::duration resolution) {
    const Clock::time_point due = Clock::now() + delay;
    if (period == Clock::duration::zero()) return due;
    const auto periods = (due.time_since_epoch() + period - Clock::duration(1)) / period;
    const Clock::time_point onGrid(periods * period);
    return onGrid - due < resolution ? onGrid : due;
}

} // namespace
} // namespace platform

namespace win {

MMRESULT timeSetEvent(UINT uDelay, UINT uResolution, LPTIMECALLBACK fptc, DWORD_PTR dwUser, UINT fuEvent) {
    const UINT kind = fuEvent & ~TIME_KILL_SYNCHRONOUS; // every kill waits for a running callback anyway
    if (!fptc || uDelay == 0 || uDelay > platform::MaxDelay ||
        (kind != TIME_ONESHOT && kind != TIME_PERIODIC))
        return 0;
    const auto delay = std::chrono::milliseconds(uDelay);
    const platform::Clock::duration period =
        kind == TIME_PERIODIC ? delay : platform::Clock::duration::zero();
    const platform::Timer timer{fptc, dwUser, period,
                                platform::FirstDue(delay, period, std::chrono::milliseconds(uResolution)),
                                std::chrono::milliseconds(std::min(uDelay, uResolution) / 4)};
    return platform::TimerThread::Instance().Set(timer);
}

MMRESULT timeKillEvent(UINT uTimerID) {
    return platform::TimerThread::Instance().Kill(uTimerID) ? MMSYSERR_NOERROR : MMSYSERR_INVALPARAM;
}

} // namespace win
