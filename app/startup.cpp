#include "app/startup.h"

#include "app/about_box.h"
#include "app/main_form.h"
#include "app/mix_control_window.h"
#include "app/process_state.h"
#include "driver/config_call.h"
#include "driver/config_records.h"
#include "driver/driver_errors.h"
#include "platform/tray.h"
#include "platform/win_messages.h"
#include "toolkit/application.h"
#include "toolkit/icons.h"

#include <cstring>

namespace app {
namespace {

constexpr char kTrayTip[] = "Einstellungen für Kova 2";
constexpr int kDriverReady = 1;

driver::DriverStates AskDriverStates() {
    driver::DriverStates states;
    driver::DriverConfigCall(driver::ConfigGetStates, &states, sizeof states);
    return states;
}

win::NOTIFYICONDATAA TrayIconRecord(win::HWND controlWindow) {
    win::NOTIFYICONDATAA record{};
    record.cbSize = sizeof record;
    record.hWnd = controlWindow;
    record.uID = 0;
    record.uFlags = win::NIF_MESSAGE | win::NIF_ICON | win::NIF_TIP;
    record.uCallbackMessage = win::WM_TRAYNOTIFY;
    record.hIcon = TrayIcon;
    static_assert(sizeof kTrayTip <= sizeof record.szTip);
    std::memcpy(record.szTip, kTrayTip, sizeof kTrayTip);
    return record;
}

void RunMessageLoop(tk::TApplication& application) {
    do {
        application.HandleMessage();
    } while (!TerminateRequested);
}

} // namespace

void RunStartup() {
    TerminateRequested = false;
    const driver::DriverStates states = AskDriverStates();
    driver::ReportDriverStates(states);
    if (states.Overall != kDriverReady) return;

    TrayIcon = win::LoadIconA(0, "MIXERICON");
    tk::TApplication& application = *tk::Application();
    application.CreateForm<TfrmMain>();
    auto* controlWindow = application.CreateForm<TMixControlWnd>();
    application.CreateForm<TAboutBox>();

    win::NOTIFYICONDATAA record = TrayIconRecord(controlWindow->Handle());
    if (!TerminateRequested && win::Shell_NotifyIconA(win::NIM_ADD, &record)) {
        RunMessageLoop(application);
        win::Shell_NotifyIconA(win::NIM_DELETE, &record);
    }
    win::DestroyIcon(TrayIcon);
    TrayIcon = 0;
}

} // namespace app
