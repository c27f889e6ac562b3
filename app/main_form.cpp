#include "app/main_form.h"

#include "app/process_state.h"
#include "platform/win_messages.h"

namespace app {

TfrmMain::TfrmMain(tk::TComponent* owner) : TForm(owner, QStringLiteral(":/forms/tbmainf.form")) {
    BindMessage(win::WM_DEVICECHANGE, this, &TfrmMain::WMDeviceChange);
    BindMessage(win::WM_ENDSESSION, this, &TfrmMain::WMEndSession);
    BindMessage(win::WM_QUERYENDSESSION, this, &TfrmMain::WMQueryEndSession);
}

void TfrmMain::ExitClick() {
    if (ControlWindow) ControlWindow->Close();
    TerminateRequested = true;
}

void TfrmMain::FormCreate(tk::TComponent*) {}

void TfrmMain::FormClose(tk::TComponent*, tk::TCloseAction&) { ExitClick(); }

// Removal is always granted.
void TfrmMain::WMDeviceChange(tk::TMessage& message) { message.Result = 1; }

void TfrmMain::WMEndSession(tk::TMessage& message) {
    if (message.WParam != 0) ExitClick();
    message.Result = 0;
}

void TfrmMain::WMQueryEndSession(tk::TMessage& message) { message.Result = 1; }

} // namespace app
