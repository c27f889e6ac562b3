#include "app/mix_control_wnd.h"

#include "app/process_state.h"
#include "driver/device_discovery.h"
#include "platform/message_box.h"
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
    driver::DiscoverDevices();
    SetCaption(QStringLiteral("Kova 2"));
    SetIcon(tk::IconFromHandle(TrayIcon));
    if (!driver::DriverFound) {
        win::MessageBoxA(Handle(), "Kova 2 Treiber konnte nicht geöffnet werden.", "Fehler", win::MB_ICONHAND);
        TerminateRequested = true;
    }
}

// Only a double click with the left button opens the window.
void TMixControlWnd::WMTrayNotify(tk::TMessage& message) {
    if (win::UINT(message.LParam) != win::WM_LBUTTONDBLCLK) return;
    SetWindowState(tk::TWindowState::wsNormal);
    Show();
}

} // namespace app
