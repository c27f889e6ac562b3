#pragma once
// The two periodic multimedia timers that drive a channel window's meters. Their callbacks run on the
// timer thread and only post: WM_METERTICK (decay and peak hold) and WM_LEVELPOLL (read the levels) to
// the window, with the timer's id as wParam. Everything else happens on the user-interface thread.
#include "platform/win_types.h"

namespace windows {

class MeterTimers {
public:
    static constexpr win::UINT TickPeriod = 40;  // ms between WM_METERTICK
    static constexpr win::UINT PollPeriod = 100; // ms between WM_LEVELPOLL

    explicit MeterTimers(win::HWND window) : window_(window) {}
    ~MeterTimers() { KillBoth(); }
    MeterTimers(const MeterTimers&) = delete;
    MeterTimers& operator=(const MeterTimers&) = delete;

    // Each starts its timer only when it is not running.
    void StartTick();
    void StartPoll();
    void KillTick();
    void KillPoll();
    void KillBoth() {
        KillTick();
        KillPoll();
    }

    win::UINT TickId() const { return tickId_; }
    win::UINT PollId() const { return pollId_; }

private:
    win::HWND window_;
    win::UINT tickId_ = 0; // multimedia timer id, 0 = not running
    win::UINT pollId_ = 0; // multimedia timer id, 0 = not running
};

} // namespace windows
