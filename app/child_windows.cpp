#include "app/child_windows.h"

#include "app/stand_in_window.h"
#include "settings/config_dialog.h"
#include "toolkit/form.h"
#include "windows/analog_input_window.h"
#include "windows/analog_output_window.h"
#include "windows/digital_output_window.h"

namespace app {
namespace {

tk::TForm* MakeAnalogInputWindow(tk::TComponent* owner, windows::WindowHost& host) {
    return tk::CreateForm<windows::TfrmAnalogInp>(owner, host);
}

tk::TForm* MakeAnalogOutputWindow(tk::TComponent* owner, windows::WindowHost& host) {
    return tk::CreateForm<windows::TfrmAnalogOut>(owner, host);
}

tk::TForm* MakeDigitalOutputWindow(tk::TComponent* owner, windows::WindowHost& host) {
    return tk::CreateForm<windows::TfrmDigOut>(owner, host);
}

tk::TForm* MakeSettingsDialog(tk::TComponent* owner, driver::ConfigArray& config, int card, int cardCount) {
    return tk::CreateForm<settings::TdlgCfg>(owner, config, card, cardCount);
}

// Until each window is built, a stand-in of its class and caption opens in its place.

tk::TForm* MakeDigitalInputWindow(tk::TComponent* owner, windows::WindowHost&) {
    return StandInWindow::Create(owner, QStringLiteral("TfrmDigInp"), QStringLiteral("Digital Input"));
}


} // namespace

ChildWindowMakers& ChildWindows() {
    static ChildWindowMakers makers{MakeAnalogInputWindow, MakeDigitalInputWindow, MakeAnalogOutputWindow,
                                    MakeDigitalOutputWindow, MakeSettingsDialog};
    return makers;
}

} // namespace app
