#include "toolkit/window_position.h"

#include "toolkit/form.h"
#include "toolkit/window_table.h"

#include <QWindow>

namespace tk {
namespace {

win::BOOL PositionWindow(win::HWND window, win::HWND insertAfter, win::INT, win::INT, win::INT, win::INT,
                         win::UINT flags) {
    constexpr win::UINT keepsPlace = win::SWP_NOMOVE | win::SWP_NOSIZE;
    if ((flags & keepsPlace) != keepsPlace) return win::FALSE;
    if (insertAfter != win::HWND_TOPMOST && insertAfter != win::HWND_NOTOPMOST) return win::FALSE;
    auto* form = qobject_cast<TForm*>(WindowTable::Find(window));
    QWindow* native = form ? form->WindowHandle() : nullptr;
    if (!native) return win::FALSE;
    // Changing the flag re-creates the native window, and a window that does so on every activation
    // would loop; it never takes the focus either, so SWP_NOACTIVATE holds by itself.
    const bool onTop = insertAfter == win::HWND_TOPMOST;
    if (native->flags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
        native->setFlag(Qt::WindowStaysOnTopHint, onTop);
    return win::TRUE;
}

} // namespace

void PrepareWindowPositions() {
    platform::SetWindowPositioner(&PositionWindow);
}

} // namespace tk
