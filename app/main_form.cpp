#include "app/main_form.h"

#include "app/process_state.h"
#include "driver/config_call.h"
#include "driver/config_records.h"
#include "driver/device_tables.h"
#include "platform/win_messages.h"
#include "platform/win_records.h"

#include <optional>

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

namespace {

// The device node that a query-remove broadcast names, or nothing for any other broadcast.
std::optional<win::DWORD> DevNodeAboutToGo(const tk::TMessage& message) {
    if (message.WParam != win::DBT_DEVICEQUERYREMOVE) return std::nullopt;
    const auto* header = message.RecordAs<const win::DEV_BROADCAST_HDR>();
    if (!header || header->dbch_devicetype != win::DBT_DEVTYP_DEVNODE ||
        header->dbch_size < sizeof(win::DEV_BROADCAST_DEVNODE))
        return std::nullopt;
    return reinterpret_cast<const win::DEV_BROADCAST_DEVNODE*>(header)->dbcd_devnode;
}

bool IsCardsDevNode(win::DWORD devNode) {
    for (int card = 0; card < driver::CardCount; ++card)
        if (driver::CardDevNodes[std::size_t(card)] == std::int32_t(devNode)) return true;
    return false;
}

// Tells the driver that the card goes: the configuration array goes back with -1 in its first field.
void AnnounceCardRemoval() {
    driver::ConfigArray config{};
    if (!driver::DriverConfigCall(driver::ConfigGetConfig, &config, sizeof config)) return;
    config.Cards[0].Opaque0 = -1;
    driver::DriverConfigCall(driver::ConfigSetConfig, &config, sizeof config);
}

} // namespace

// Removal is always granted; when it is one of the cards, the program ends.
void TfrmMain::WMDeviceChange(tk::TMessage& message) {
    message.Result = 1;
    const std::optional<win::DWORD> devNode = DevNodeAboutToGo(message);
    if (!devNode || !IsCardsDevNode(*devNode)) return;
    AnnounceCardRemoval();
    if (ControlWindow) {
        ControlWindow->Close();
        tk::FreeAndNil(ControlWindow);
    }
    TerminateRequested = true;
}

void TfrmMain::WMEndSession(tk::TMessage& message) {
    if (message.WParam != 0) ExitClick();
    message.Result = 0;
}

void TfrmMain::WMQueryEndSession(tk::TMessage& message) { message.Result = 1; }

} // namespace app
