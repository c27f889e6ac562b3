#pragma once
// The hidden main window: never shown, it receives the system's broadcasts that concern the whole
// program (the end of the session, a card about to be removed) and runs the exit procedure.
#include "toolkit/form.h"

namespace app {

class TfrmMain : public tk::TForm {
    Q_OBJECT

public:
    explicit TfrmMain(tk::TComponent* owner);

    // The exit procedure: the control window is closed (which saves its state and closes every window
    // it opened), then the program is asked to end.
    void ExitClick();

    Q_INVOKABLE void FormCreate(tk::TComponent* sender);
    Q_INVOKABLE void FormClose(tk::TComponent* sender, tk::TCloseAction& action);

private:
    void WMDeviceChange(tk::TMessage& message);
    void WMEndSession(tk::TMessage& message);
    void WMQueryEndSession(tk::TMessage& message);
};

} // namespace app
