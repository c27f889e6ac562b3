#include "app/child_windows.h"

#include "app/stand_in_window.h"
#include "settings/config_dialog.h"
#include "toolkit/form.h"
#include "windows/analog_input_window.h"

namespace app {
namespace {

tk::TForm* MakeAnalogInputWindow(tk::TComponent* owner) {
    return tk::CreateForm<windows::TfrmAnalogInp>(owner);
}

tk::TForm* MakeSettingsDialog(tk::TComponent* owner, driver::ConfigArray& config, int card, int cardCount) {
    return tk::CreateForm<settings::TdlgCfg>(owner, config, card, cardCount);
}

// Until each window is built, a stand-in of its class and caption opens in its place.

tk::TForm* MakeDigitalInputWindow(tk::TComponent* owner) {
    return StandInWindow::Create(owner, QStringLiteral("TfrmDigInp"), QStringLiteral("Digital Input"));
}

tk::TForm* MakeAnalogOutputWindow(tk::TComponent* owner) {
    return StandInWindow::Create(owner, QStringLiteral("TfrmAnalogOut"), QStringLiteral("Analog Output"));
}

tk::TForm* MakeDigitalOutputWindow(tk::TComponent* owner) {
    return StandInWindow::Create(owner, QStringLiteral("TfrmDigOut"), QStringLiteral("Digital Output"));
}

} // namespace

ChildWindowMakers& ChildWindows() {
    static ChildWindowMakers makers{MakeAnalogInputWindow, MakeDigitalInputWindow, MakeAnalogOutputWindow,
                                    MakeDigitalOutputWindow, MakeSettingsDialog};
    return makers;
}

} // namespace app
