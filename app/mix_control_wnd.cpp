#include "app/mix_control_wnd.h"

#include "app/process_state.h"
#include "toolkit/icons.h"
#include "platform/win_messages.h"
#include "controls/control_classes.h"

namespace app {

TMixControlWnd::TMixControlWnd(tk::TComponent* owner) : TForm(owner, QStringLiteral(":/forms/Mixctrl.form")) {
    controls::RegisterControlClasses(); // the description uses them
    ControlWindow = this;
    BindMessage(win::WM_TRAYNOTIFY, this, &TMixControlWnd::WMTrayNotify);
}

TMixControlWnd::~TMixControlWnd() {
    if (ControlWindow == this) ControlWindow = nullptr;
}

void TMixControlWnd::FormCreate(tk::TComponent*) {
    SetCaption(QStringLiteral("Kova 2"));
    SetIcon(tk::IconFromHandle(TrayIcon));
}

// Only a double click with the left button opens the window.
void TMixControlWnd::WMTrayNotify(tk::TMessage& message) {
    if (win::UINT(message.LParam) != win::WM_LBUTTONDBLCLK) return;
    SetWindowState(tk::TWindowState::wsNormal);
    Show();
}

} // namespace app
