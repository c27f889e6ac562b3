#pragma once
// The driver library's configuration entry point, called by the rundll host as
// DriverConfig(0, 0, "<command> $XXXXXXXX #YYYYYYYY", 10).
#include "platform/win_types.h"

namespace simcard {

// Status words the card leaves; callers only test for nonzero.
constexpr win::DWORD kStatusDone = 1;
constexpr win::DWORD kStatusRefused = 0xFFFFFFFF; // the call was malformed or its data block unusable

} // namespace simcard

extern "C" void DriverConfig(win::HWND hwnd, win::HINSTANCE hinst, win::LPSTR lpszCmdLine, win::INT nCmdShow);
