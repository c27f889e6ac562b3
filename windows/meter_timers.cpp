#include "windows/meter_timers.h"

#include "platform/mmsystem.h"
#include "platform/win_messages.h"
#include "toolkit/message_queue.h"

namespace windows {
namespace {

void PostTick(win::UINT id, win::UINT, win::DWORD_PTR window, win::DWORD_PTR, win::DWORD_PTR) {
    win::PostMessageA(win::HWND(window), win::WM_METERTICK, id, 0);
}

void PostPoll(win::UINT id, win::UINT, win::DWORD_PTR window, win::DWORD_PTR, win::DWORD_PTR) {
    win::PostMessageA(win::HWND(window), win::WM_LEVELPOLL, id, 0);
}

void Start(win::UINT& id, win::UINT period, win::LPTIMECALLBACK callback, win::HWND window) {
    if (id == 0) id = win::timeSetEvent(period, period, callback, window, win::TIME_PERIODIC);
}

void Kill(win::UINT& id) {
    if (id == 0) return;
    win::timeKillEvent(id);
    id = 0;
}

} // namespace

void MeterTimers::StartTick() { Start(tickId_, TickPeriod, PostTick, window_); }
void MeterTimers::StartPoll() { Start(pollId_, PollPeriod, PostPoll, window_); }
void MeterTimers::KillTick() { Kill(tickId_); }
void MeterTimers::KillPoll() { Kill(pollId_); }

} // namespace windows
