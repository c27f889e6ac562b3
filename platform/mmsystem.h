#pragma once
// The multimedia system the program calls: wave devices routed to the installed wave drivers (the
// drivers list of platform/wave_driver_set.h), and multimedia timers whose callbacks run on one timer
// thread.
#include "platform/win_records.h"

#include <cstdint>

namespace win {

using DWORD_PTR = std::uintptr_t;
using UINT_PTR = std::uintptr_t;
using HWAVE = HANDLE32;
using HWAVEIN = HANDLE32;
using HWAVEOUT = HANDLE32;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_NOTENABLED = 3;
constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_NOTSUPPORTED = 8;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT WAVERR_BADFORMAT = 32;

constexpr DWORD CALLBACK_NULL = 0x00000000;
constexpr DWORD CALLBACK_WINDOW = 0x00010000;
constexpr DWORD CALLBACK_TYPEMASK = 0x00070000;
constexpr WORD WAVE_FORMAT_PCM = 1;

// Notifications to a CALLBACK_WINDOW client.
constexpr UINT MM_WOM_OPEN = 0x3BB;
constexpr UINT MM_WOM_CLOSE = 0x3BC;
constexpr UINT MM_WIM_OPEN = 0x3BE;
constexpr UINT MM_WIM_CLOSE = 0x3BF;

UINT waveInGetNumDevs();
UINT waveOutGetNumDevs();
// The record's size must be at least 48 (52) bytes; the name always ends in a terminator.
MMRESULT waveInGetDevCapsA(UINT_PTR uDeviceID, WAVEINCAPSA* pwic, UINT cbwic);
MMRESULT waveOutGetDevCapsA(UINT_PTR uDeviceID, WAVEOUTCAPSA* pwoc, UINT cbwoc);
// fdwOpen is CALLBACK_WINDOW (dwCallback the window) or CALLBACK_NULL; other flags are refused with
// MMSYSERR_INVALFLAG. There is no wave mapper: an id that names no device gives MMSYSERR_BADDEVICEID.
// The format goes to the driver as it is.
MMRESULT waveInOpen(HWAVEIN* phwi, UINT uDeviceID, const WAVEFORMATEX* pwfx, DWORD_PTR dwCallback,
                    DWORD_PTR dwInstance, DWORD fdwOpen);
MMRESULT waveOutOpen(HWAVEOUT* phwo, UINT uDeviceID, const WAVEFORMATEX* pwfx, DWORD_PTR dwCallback,
                     DWORD_PTR dwInstance, DWORD fdwOpen);
// MMSYSERR_INVALHANDLE for a handle that is not open (or is one of the other direction); a close that
// the driver refuses leaves the handle open.
MMRESULT waveInClose(HWAVEIN hwi);
MMRESULT waveOutClose(HWAVEOUT hwo);
// The driver's answer; MMSYSERR_INVALHANDLE for a handle that is not open, MMSYSERR_INVALPARAM for the
// open and close messages, which only waveIn/OutOpen and waveIn/OutClose send.
MMRESULT waveInMessage(HWAVEIN hwi, UINT uMsg, DWORD_PTR dw1, DWORD_PTR dw2);
MMRESULT waveOutMessage(HWAVEOUT hwo, UINT uMsg, DWORD_PTR dw1, DWORD_PTR dw2);

using LPTIMECALLBACK = void (*)(UINT uTimerID, UINT uMsg, DWORD_PTR dwUser, DWORD_PTR dw1, DWORD_PTR dw2);
constexpr UINT TIME_ONESHOT = 0x0000;
constexpr UINT TIME_PERIODIC = 0x0001;
constexpr UINT TIME_CALLBACK_FUNCTION = 0x0000;
constexpr UINT TIME_KILL_SYNCHRONOUS = 0x0100; // accepted; every kill is synchronous here

// The timer's id, 0 when it cannot be set (no callback, a delay outside 1..1000000 ms, another kind of
// event). The resolution is not needed: the steady clock is finer. The callback runs on the timer
// thread, as callback(id, 0, dwUser, 0, 0): it may only post.
MMRESULT timeSetEvent(UINT uDelay, UINT uResolution, LPTIMECALLBACK fptc, DWORD_PTR dwUser, UINT fuEvent);
// Once it returns, the callback of that timer is not running and never runs again; from inside that
// callback it returns at once. MMSYSERR_INVALPARAM for an id that names no timer.
MMRESULT timeKillEvent(UINT uTimerID);

} // namespace win

namespace platform {

// The timer thread's name, as /proc shows it: a measurement finds the thread by it.
constexpr const char* MultimediaTimerThreadName = "kova2-timers";

} // namespace platform
