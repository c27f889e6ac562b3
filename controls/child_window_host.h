#pragma once
// What every window that the control window opens needs from it: the about box and a way to report its
// own close. The control window implements it; the windows know neither its class nor any process-wide
// reference, and tests put a fake in its place.
namespace tk {
class TForm;
}

namespace controls {

class ChildWindowHost {
public:
    virtual ~ChildWindowHost() = default;

    // The about box that the window's "Info" entries show; null when there is none.
    virtual tk::TForm* AboutBox() const = 0;
    // The window closed by itself; the host decides its end once the close has run to its end.
    virtual void ChildClosed(tk::TForm* window) = 0;

protected:
    ChildWindowHost() = default;
    ChildWindowHost(const ChildWindowHost&) = default;
    ChildWindowHost& operator=(const ChildWindowHost&) = default;
};

} // namespace controls
