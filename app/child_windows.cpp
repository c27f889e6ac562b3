#include "app/child_windows.h"

#include "app/stand_in_window.h"
#include "toolkit/form.h"
#include "windows/analog_input_window.h"
#include "windows/digital_input_window.h"

namespace app {
namespace {

tk::TForm* MakeAnalogInputWindow(tk::TComponent* owner, windows::WindowHost& host) {
    return tk::CreateForm<windows::TfrmAnalogInp>(owner, host);
}

tk::TForm* MakeDigitalInputWindow(tk::TComponent* owner, windows::WindowHost& host) {
    return tk::CreateForm<windows::TfrmDigInp>(owner, host);
}

// Until each window is built, a stand-in of its class and caption opens in its place.

tk::TForm* MakeAnalogOutputWindow(tk::TComponent* owner, windows::WindowHost&) {
    return StandInWindow::Create(owner, QStringLiteral("TfrmAnalogOut"), QStringLiteral("Analog Output"));
}

tk::TForm* MakeDigitalOutputWindow(tk::TComponent* owner, windows::WindowHost&) {
    return StandInWindow::Create(owner, QStringLiteral("TfrmDigOut"), QStringLiteral("Digital Output"));
}

tk::TForm* MakeSettingsDialog(tk::TComponent* owner, driver::ConfigArray&, int card, int) {
    return StandInWindow::Create(owner, QStringLiteral("TdlgCfg"),
                                 QStringLiteral("Kova 2 Einstellungen Karte #%1").arg(card + 1));
}

} // namespace

ChildWindowMakers& ChildWindows() {
    static ChildWindowMakers makers{MakeAnalogInputWindow, MakeDigitalInputWindow, MakeAnalogOutputWindow,
                                    MakeDigitalOutputWindow, MakeSettingsDialog};
    return makers;
}

} // namespace app
