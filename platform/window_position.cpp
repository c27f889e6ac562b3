#include "platform/window_position.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<WindowPositioner> currentPositioner{nullptr};

} // namespace

WindowPositioner SetWindowPositioner(WindowPositioner positioner) {
    return currentPositioner.exchange(positioner);
}

} // namespace platform

namespace win {

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, INT X, INT Y, INT cx, INT cy, UINT uFlags) {
    const platform::WindowPositioner positioner = platform::currentPositioner.load();
    return positioner ? positioner(hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags) : FALSE;
}

} // namespace win
