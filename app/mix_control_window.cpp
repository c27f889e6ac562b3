#include "app/mix_control_window.h"

#include "app/process_state.h"
#include "controls/bilingual_controls.h"
#include "controls/control_classes.h"
#include "controls/form_state.h"
#include "controls/window_helpers.h"
#include "driver/config_call.h"
#include "driver/device_discovery.h"
#include "platform/message_box.h"
#include "platform/silent_abort.h"
#include "platform/win_messages.h"
#include "platform/win_records.h"
#include "toolkit/application.h"
#include "toolkit/icons.h"
#include "toolkit/message_queue.h"
#include "windows/channel_window.h"

#include <QWidget>
#include <vector>

namespace app {
namespace {

constexpr int kFixedWidth = 167;  // outer pixels
constexpr int kPanelsHeight = 132; // the three panels: 77 + 28 + 27 pixels

bool ReportsInitialised(const tk::TForm* window) { return window->property("Initialised").toBool(); }

void ProcessWaitingMessages() {
    if (tk::TApplication* application = tk::Application()) application->ProcessMessages();
}

} // namespace

TMixControlWnd::TMixControlWnd(tk::TComponent* owner)
    : TForm(owner, QStringLiteral(":/forms/Mixctrl.form")),
      channels_{{{nullptr, &AnalogInputWindow, &ChildWindowMakers::analogInputs},
                 {nullptr, &DigitalInputWindow, &ChildWindowMakers::digitalInputs},
                 {nullptr, &AnalogOutputWindow, &ChildWindowMakers::analogOutputs},
                 {nullptr, &DigitalOutputWindow, &ChildWindowMakers::digitalOutputs}}} {
    controls::RegisterControlClasses(); // the description uses them
    ControlWindow = this;
    BindMessage(win::WM_TRAYNOTIFY, this, &TMixControlWnd::WMTrayNotify);
    BindMessage(win::WM_GETMINMAXINFO, this, &TMixControlWnd::WMGetMinMaxInfo);
    BindMessage(win::WM_CHILDCLOSED, this, &TMixControlWnd::WMChildClosed);
}

TMixControlWnd::~TMixControlWnd() {
    if (ControlWindow == this) ControlWindow = nullptr;
}

// The windows it owns go with it: their references must not outlive them.
void TMixControlWnd::BeforeDestruction() {
    for (const ChannelBox& channel : channels_)
        if (channel.window) *channel.window = nullptr;
    SettingsDialog = nullptr;
    if (tk::TApplication* application = tk::Application()) {
        if (application->OnActivate().Target() == this) application->SetOnActivate({});
        if (application->OnDeactivate().Target() == this) application->SetOnDeactivate({});
    }
    TForm::BeforeDestruction();
}

void TMixControlWnd::DeclareParts(tk::FormParts& parts) {
    parts.Add("chkAnalogInputs", channels_[0].box);
    parts.Add("chkDigitalInputs", channels_[1].box);
    parts.Add("chkAnalogOutputs", channels_[2].box);
    parts.Add("chkDigitalOutputs", channels_[3].box);
    parts.Add("chkStayOnTop", chkStayOnTop_);
    parts.Add("chkSettings", chkSettings_);
}

void TMixControlWnd::FormCreate(tk::TComponent*) {
    driver::DiscoverDevices();
    SetCaption(QStringLiteral("Kova 2"));
    SetIcon(tk::IconFromHandle(TrayIcon));
    if (!driver::DriverFound) {
        win::MessageBoxA(Handle(), "Kova 2 Treiber konnte nicht geöffnet werden.", "Fehler", win::MB_ICONHAND);
        TerminateRequested = true;
    }
    if (tk::TApplication* application = tk::Application()) {
        const tk::TNotifyEvent activeChanged(this, &TMixControlWnd::FormActiveChanged);
        application->SetOnActivate(activeChanged);
        application->SetOnDeactivate(activeChanged);
    }
    fixedHeight_ = (Height() - ClientHeight()) + kPanelsHeight;
    fixedSize_ = true;
}

// Restoring ticks the boxes of the windows that were open at the last close, which opens them again.
// A window that fails with an error ends the restore: the boxes after it and the geometry stay as they
// are, and the error reaches the error display when the show handler returns.
void TMixControlWnd::FormShow(tk::TComponent*) {
    if (driver::DriverFound) controls::LoadWindowState(this);
}

// The window is only hidden. Its state is saved only when it was shown: a close of the hidden window
// (at the session's end, at a card's removal) would otherwise overwrite the windows that were open at
// its last showing with none.
void TMixControlWnd::FormClose(tk::TComponent*, tk::TCloseAction&) {
    if (driver::DriverFound && Visible()) controls::SaveWindowState(this);
    std::vector<tk::TCustomCheckBox*> boxes;
    for (tk::TComponent* component : ComponentList())
        if (auto* box = qobject_cast<tk::TCustomCheckBox*>(component)) boxes.push_back(box);
    for (tk::TCustomCheckBox* box : boxes) box->SetChecked(false);
}

void TMixControlWnd::FormActiveChanged(tk::TComponent*) {
    if (chkStayOnTop_) chkStayOnTopClick(chkStayOnTop_);
}

win::HICON TMixControlWnd::WindowIcon() const { return TrayIcon; }

tk::TForm* TMixControlWnd::AboutBox() const { return app::AboutBox; }

// Posted: the window finishes its close before the control window ends it.
void TMixControlWnd::ChildClosed(tk::TForm* window) {
    win::PostMessageA(Handle(), win::WM_CHILDCLOSED, 0, win::LPARAM(window->Handle()));
}

void TMixControlWnd::ChildActiveChanged(tk::TComponent* sender) { FormActiveChanged(sender); }

void TMixControlWnd::EnableDigitalWindows() {
    channels_[1].box->SetEnabled(true);
    channels_[3].box->SetEnabled(true);
}

void TMixControlWnd::RefreshOtherOutputRoutes(tk::TForm* changed) {
    tk::TForm* other = changed == AnalogOutputWindow ? DigitalOutputWindow
                       : changed == DigitalOutputWindow ? AnalogOutputWindow
                                                        : nullptr;
    if (auto* window = qobject_cast<windows::TChannelWindow*>(other)) window->RefreshRoutes();
}

void TMixControlWnd::chkAnalogInputsClick(tk::TComponent*) { ChannelBoxClick(channels_[0]); }
void TMixControlWnd::chkDigitalInputsClick(tk::TComponent*) { ChannelBoxClick(channels_[1]); }
void TMixControlWnd::chkAnalogOutputsClick(tk::TComponent*) { ChannelBoxClick(channels_[2]); }
void TMixControlWnd::chkDigitalOutputsClick(tk::TComponent*) { ChannelBoxClick(channels_[3]); }

void TMixControlWnd::ChannelBoxClick(const ChannelBox& channel) {
    if (!channel.box->Checked()) controls::CloseAndFreeForm(*channel.window);
    else if (!*channel.window) OpenChannelWindow(channel);
    ProcessWaitingMessages();
}

// A window that cannot be prepared unticks its box, which frees what was built of it. A silent abort
// ends there; any other error goes on to the error display, and so ends a restore in progress.
void TMixControlWnd::OpenChannelWindow(const ChannelBox& channel) {
    try {
        *channel.window = (ChildWindows().*channel.maker)(this, *this);
    } catch (const platform::SilentAbortBase&) {
        channel.box->SetChecked(false);
        return;
    } catch (...) {
        channel.box->SetChecked(false);
        throw;
    }
    if (ReportsInitialised(*channel.window)) (*channel.window)->Show();
    else channel.box->SetChecked(false);
}

void TMixControlWnd::chkStayOnTopClick(tk::TComponent*) {
    const bool onTop = chkStayOnTop_->Checked();
    controls::SetStayOnTop(this, onTop);
    std::vector<tk::TForm*> windows;
    for (tk::TComponent* component : ComponentList())
        if (auto* window = qobject_cast<tk::TForm*>(component)) windows.push_back(window);
    for (tk::TForm* window : windows) controls::SetStayOnTop(window, onTop);
}

// While the dialog is open, the channel windows are closed and cannot be opened. A failed getconfig
// leaves the box ticked without a dialog.
void TMixControlWnd::chkSettingsClick(tk::TComponent*) {
    if (chkSettings_->Checked() && !SettingsDialog) {
        if (!driver::DriverConfigCall(driver::ConfigGetConfig, &configuration_, sizeof configuration_)) return;
        SettingsDialog = ChildWindows().settings(this, *this, configuration_, 0, driver::CardCount);
        for (const ChannelBox& channel : channels_) channel.box->SetChecked(false);
        for (const ChannelBox& channel : channels_) channel.box->SetEnabled(false);
        SettingsDialog->Show();
    } else if (!chkSettings_->Checked() && SettingsDialog) {
        controls::CloseAndFreeForm(SettingsDialog);
        for (const ChannelBox& channel : channels_) channel.box->SetEnabled(true);
    }
}

// A window that closed by itself: unticking its box frees it. A window no longer held (closed from
// here, its message arriving late) changes nothing.
void TMixControlWnd::WMChildClosed(tk::TMessage& message) {
    const auto closing = win::HWND(message.LParam);
    if (!closing) return;
    const auto isClosing = [closing](tk::TForm* window) {
        return window && window->HandleAllocated() && window->Handle() == closing;
    };
    for (const ChannelBox& channel : channels_)
        if (isClosing(*channel.window)) channel.box->SetChecked(false);
    if (isClosing(SettingsDialog)) chkSettings_->SetChecked(false);
}

// Once created, the window keeps its width and the height of its panels whatever the user drags.
void TMixControlWnd::WMGetMinMaxInfo(tk::TMessage& message) {
    auto* info = message.RecordAs<win::MINMAXINFO>();
    if (fixedSize_ && info) {
        const win::POINT size{kFixedWidth, fixedHeight_};
        info->ptMaxSize = size;
        info->ptMaxPosition = {0, 0};
        info->ptMinTrackSize = size;
        info->ptMaxTrackSize = size;
    }
    message.Result = 0;
}

// Only a double click with the left button opens the window. A window already shown may lie under
// others: the double click brings it to the front as well.
void TMixControlWnd::WMTrayNotify(tk::TMessage& message) {
    if (win::UINT(message.LParam) != win::WM_LBUTTONDBLCLK) return;
    SetWindowState(tk::TWindowState::wsNormal);
    Show();
    Widget()->raise();
    Widget()->activateWindow();
}

} // namespace app
