#pragma once
// Window messages between the program's windows. PostMessageA may be called from any thread (the
// multimedia timer's included): it queues the message to one dispatcher on the user-interface thread,
// which looks the window up when it handles the message, so that a message for a window freed in the
// meantime is dropped.
#include "platform/win_types.h"

namespace win {

// FALSE when hWnd names no window.
BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// User-interface thread only: handles the message at once and returns its result (0 for no window).
LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// Any thread.
BOOL IsWindow(HWND hWnd);

} // namespace win

namespace tk {

// Creates the dispatcher of posted messages; user-interface thread, before the first window handle.
void PrepareMessageQueue();

} // namespace tk
