#pragma once
// What a channel window needs from the window that opened it beyond what every child window needs.
// The control window implements it and hands itself to every channel window it creates.
#include "controls/child_window_host.h"
#include "platform/win_types.h"

namespace tk {
class TComponent;
class TForm;
} // namespace tk

namespace windows {

class WindowHost : public controls::ChildWindowHost {
public:
    // The icon of the program's windows; 0 when none is loaded.
    virtual win::HICON WindowIcon() const = 0;
    // The window was activated or deactivated: the host applies its stay-on-top choice again.
    virtual void ChildActiveChanged(tk::TComponent* sender) = 0;
    // A card's output source changed so that the digital windows can be used: their boxes are enabled.
    virtual void EnableDigitalWindows() = 0;
    // An output window changed a card's source: the other output window, when open, reads its routes again.
    virtual void RefreshOtherOutputRoutes(tk::TForm* changed) = 0;
};

} // namespace windows
