#include "tests/app/stand_in_window.h"

#include "app/process_state.h"
#include "driver/silent_abort.h"
#include "toolkit/icons.h"
#include "toolkit/message_queue.h"
#include "platform/win_messages.h"

#include <stdexcept>

namespace app {
namespace {

constexpr int kLeft = 180; // pixels: beside the control window at (4, 0)
constexpr int kWidth = 260;
constexpr int kHeight = 120;
constexpr win::UINT kStandInOpenFailure = 11; // MMSYSERR_INVALPARAM, as a refused control open gives

} // namespace

StandInWindow* StandInWindow::Create(tk::TComponent* owner, const QString& className, const QString& caption,
                                     Outcome outcome) {
    auto* window = tk::CreateForm<StandInWindow>(owner, className, caption, outcome != Outcome::NotInitialised);
    if (outcome == Outcome::SilentAbort || outcome == Outcome::Error) {
        window->Free();
        if (outcome == Outcome::SilentAbort) throw driver::SilentAbort(kStandInOpenFailure);
        throw std::runtime_error(className.toStdString() + " could not be created");
    }
    return window;
}

StandInWindow::StandInWindow(tk::TComponent* owner, const QString& className, const QString& caption,
                             bool initialised)
    : TForm(owner), standsFor_(className), initialised_(initialised) {
    SetName(className.mid(1)); // TfrmAnalogInp is the form frmAnalogInp
    SetCaption(caption);
    SetIcon(tk::IconFromHandle(TrayIcon));
    SetBounds(kLeft, 0, kWidth, kHeight);
    SetOnClose(tk::TCloseEvent(this, &StandInWindow::FormClose));
    if (ControlWindow) {
        if (auto changed = tk::TNotifyEvent::Method(ControlWindow, "FormActiveChanged")) {
            SetOnActivate(*changed);
            SetOnDeactivate(*changed);
        }
    }
}

// The window stays; the control window decides its end when the message arrives.
void StandInWindow::FormClose(tk::TComponent*, tk::TCloseAction&) {
    if (ControlWindow) win::PostMessageA(ControlWindow->Handle(), win::WM_CHILDCLOSED, 0, win::LPARAM(Handle()));
}

} // namespace app
