#include "platform/window_position.h"

#include "platform/installed_hook.h"

namespace platform {
namespace {

InstalledHook<WindowPositioner> positioner;

} // namespace

WindowPositioner SetWindowPositioner(WindowPositioner installed) { return positioner.Install(installed); }

} // namespace platform

namespace win {

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, INT X, INT Y, INT cx, INT cy, UINT uFlags) {
    const platform::WindowPositioner current = platform::positioner.Get();
    return current ? current(hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags) : FALSE;
}

} // namespace win
