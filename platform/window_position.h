#pragma once
// SetWindowPos through the positioner that the user interface installs, as it installs the message box
// handler and the message poster: the windows are the user interface's, platform knows none.
#include "platform/win_types.h"

namespace win {

constexpr HWND HWND_TOPMOST = 0xFFFFFFFF;   // (HWND)-1
constexpr HWND HWND_NOTOPMOST = 0xFFFFFFFE; // (HWND)-2
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOACTIVATE = 0x0010;

// FALSE without a positioner, or when the positioner does not take the call.
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, INT X, INT Y, INT cx, INT cy, UINT uFlags);

} // namespace win

namespace platform {

using WindowPositioner = win::BOOL (*)(win::HWND window, win::HWND insertAfter, win::INT x, win::INT y,
                                       win::INT width, win::INT height, win::UINT flags);

// Installs positioner for every later SetWindowPos (null: none) and returns the one it replaces.
WindowPositioner SetWindowPositioner(WindowPositioner positioner);

} // namespace platform
