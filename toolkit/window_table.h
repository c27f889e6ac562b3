#pragma once
// The table of window handles: 32-bit ids, never reused, so that a stale id names no window.
#include "platform/win_types.h"

namespace tk {

class TWinControl;

class WindowTable {
public:
    static win::HWND Add(TWinControl* control);
    static void Remove(win::HWND handle);
    // User-interface thread: the control, or nullptr when the handle names none.
    static TWinControl* Find(win::HWND handle);
    // Any thread.
    static bool Contains(win::HWND handle);
};

} // namespace tk
