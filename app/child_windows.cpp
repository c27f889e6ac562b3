#include "app/child_windows.h"

#include "settings/config_dialog.h"
#include "toolkit/form.h"
#include "windows/analog_input_window.h"
#include "windows/analog_output_window.h"
#include "windows/digital_input_window.h"
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

tk::TForm* MakeSettingsDialog(tk::TComponent* owner, controls::ChildWindowHost& host,
                              driver::ConfigArray& config, int card, int cardCount) {
    return tk::CreateForm<settings::TdlgCfg>(owner, host, config, card, cardCount);
}

tk::TForm* MakeDigitalInputWindow(tk::TComponent* owner, windows::WindowHost& host) {
    return tk::CreateForm<windows::TfrmDigInp>(owner, host);
}

} // namespace

ChildWindowMakers& ChildWindows() {
    static ChildWindowMakers makers{MakeAnalogInputWindow, MakeDigitalInputWindow, MakeAnalogOutputWindow,
                                    MakeDigitalOutputWindow, MakeSettingsDialog};
    return makers;
}

} // namespace app
