#pragma once
// What a channel window needs from the window that opened it. The control window implements it and
// hands itself to every window it creates, so the windows know neither its class nor any process-wide
// reference; tests put a fake in its place.
#include "platform/win_types.h"

namespace tk {
class TComponent;
class TForm;
} // namespace tk

namespace windows {

class WindowHost {
public:
    virtual ~WindowHost() = default;

    // The icon of the program's windows; 0 when none is loaded.
    virtual win::HICON WindowIcon() const = 0;
    // The about box that the windows' system menus show; null when there is none.
    virtual tk::TForm* AboutBox() const = 0;
    // The window closed by itself; the host decides its end once the close has run to its end.
    virtual void ChildClosed(tk::TForm* window) = 0;
    // The window was activated or deactivated: the host applies its stay-on-top choice again.
    virtual void ChildActiveChanged(tk::TComponent* sender) = 0;
    // A card's output source changed so that the digital windows can be used: their boxes are enabled.
    virtual void EnableDigitalWindows() = 0;
    // An output window changed a card's source: the other output window, when open, reads its routes again.
    virtual void RefreshOtherOutputRoutes(tk::TForm* changed) = 0;

protected:
    WindowHost() = default;
    WindowHost(const WindowHost&) = default;
    WindowHost& operator=(const WindowHost&) = default;
};

} // namespace windows
