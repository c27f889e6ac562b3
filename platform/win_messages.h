#pragma once
// Window message numbers: the system's and the program's own.
#include "platform/win_types.h"

namespace win {

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUERYENDSESSION = 0x0011;
constexpr UINT WM_ENDSESSION = 0x0016;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_DEVICECHANGE = 0x0219;
constexpr UINT WM_USER = 0x0400;

// The program's own messages between its windows.
constexpr UINT WM_METERTICK = WM_USER + 1;
constexpr UINT WM_CHILDCLOSED = WM_USER + 100;
constexpr UINT WM_LEVELPOLL = WM_USER + 101;
constexpr UINT WM_TRAYNOTIFY = WM_USER + 102;

// WM_DEVICECHANGE
constexpr WPARAM DBT_DEVICEARRIVAL = 0x8000;
constexpr WPARAM DBT_DEVICEQUERYREMOVE = 0x8001;
constexpr WPARAM DBT_DEVICEREMOVECOMPLETE = 0x8004;
constexpr DWORD DBT_DEVTYP_DEVNODE = 0x00000001;

} // namespace win
