#include "settings/config_dialog.h"

#include "controls/control_classes.h"
#include "driver/config_call.h"
#include "platform/message_box.h"
#include "platform/scope_exit.h"
#include "settings/config_bindings.h"
#include "toolkit/button.h"
#include "toolkit/check_box.h"
#include "toolkit/combo_box.h"
#include "toolkit/errors.h"
#include "toolkit/label.h"
#include "toolkit/page_control.h"
#include "toolkit/radio_button.h"
#include "toolkit/track_bar.h"

#include <array>

namespace settings {
namespace {

using driver::CardConfig;
using driver::RecordFalse;
using driver::RecordTrue;

constexpr int kNextDialogOffset = 24; // pixels right and down from the dialog that opens the next
constexpr int kRate44100Index = 1;    // in boxRestrictedRate
constexpr int kRes16BitIndex = 1;     // in boxRestrictedRes
constexpr int kOnTheFlyScaleNumerator = 1000;
constexpr int kOnTheFlyScaleDenominator = 800;

const char* const kRefusedText = "Die Einstellungen des Kova 2 Treibers können derzeit nicht geändert werden.\r\n"
                                 "Beenden Sie erst alle Anwendungen, welche die Kova 2 verwenden.";

// The controls shown before loading completes, in the order they are shown: the start/stop handlers
// write nothing yet, and the analog clock shows its first copy whenever that is in range.
constexpr std::array kShownBeforeLoaded = {"chkNoMsgRate", "chkNoMsgDevConflict", "chkMaster",   "pnSyncBus",
                                           "pnAnaRecSS",   "pnAnaPlaySS",         "pnDigRecSS",  "pnDigPlaySS",
                                           "pnAnaClock",   "pnDigPlayClock"};

constexpr std::array kLatencyControls = {"lbMs",      "lbMsUnit",   "barLatency", "lbScale1",  "lbScale10",
                                         "lbScale20", "lbScale30",  "lbScale40",  "lbScale50", "lbScale60",
                                         "lbScale70", "lbScale80",  "lbScale90",  "lbScale100"};

constexpr std::array kRestrictedFormatControls = {"lbStereo", "boxRestrictedRes", "boxRestrictedRate"};

const StartStopFields kAnalogStartStop{&CardConfig::AnaSSFlagA, &CardConfig::AnaSSFlagB,
                                       &CardConfig::AnaSSBoth, &CardConfig::AnaPlaySS, &CardConfig::AnaRecSS};
const StartStopFields kDigitalStartStop{&CardConfig::DigSSFlagA, &CardConfig::DigSSFlagB,
                                        &CardConfig::DigSSBoth, &CardConfig::DigPlaySS,
                                        &CardConfig::DigRecSS};

// The parts named names, into members in the same order.
template <class T, std::size_t N>
void AddParts(tk::FormParts& parts, const std::array<const char*, N>& names, std::vector<T*>& members) {
    members.assign(N, nullptr);
    for (std::size_t i = 0; i < N; ++i)
        parts.Add(names[i], members[i]);
}

std::int32_t OnTheFlyValue(int position) { return position * kOnTheFlyScaleNumerator / kOnTheFlyScaleDenominator; }

// The card is checked before the form is built: a form whose constructor throws cannot be freed.
QString DescriptionForCard(int card) {
    if (card < 0 || card >= int(std::size(driver::ConfigArray{}.Cards)))
        throw tk::EComponentError(QStringLiteral("The settings dialog has no card %1").arg(card + 1));
    return QStringLiteral(":/forms/frmCfg.form");
}

} // namespace

TdlgCfg::TdlgCfg(tk::TComponent* owner, controls::ChildWindowHost& host, driver::ConfigArray& config,
                 int card, int cardCount)
    : TForm(owner, DescriptionForCard(card)), host_(host), record_(config.Cards[card]), config_(config),
      card_(card), cardCount_(cardCount) {
    controls::RegisterControlClasses(); // the description uses them
}

TdlgCfg::~TdlgCfg() = default;

void TdlgCfg::DeclareParts(tk::FormParts& parts) {
    parts.Add("btnApply", btnApply_);
    parts.Add("btnNext", btnNext_);
    parts.Add("tabClock", tabClock_);
    parts.Add("tabMisc", tabMisc_);
    parts.Add("chkMaster", chkMaster_);
    parts.Add("chkSyncBusClock_Internal", syncBusClockInternal_);
    parts.Add("chkSyncBusClock_DINP", syncBusClockDigitalInput_);
    parts.Add("pnAnaPlaySS", analogStartStop_.play);
    parts.Add("pnAnaRecSS", analogStartStop_.record);
    parts.Add("pnDigPlaySS", digitalStartStop_.play);
    parts.Add("pnDigRecSS", digitalStartStop_.record);
    parts.Add("chkWriteIsPlayCursor", writeIsPlayCursor_);
    parts.Add("btnAutoLatency", btnAutoLatency_);
    parts.Add("btnManLatency", btnManLatency_);
    parts.Add("barLatency", barLatency_);
    parts.Add("lbMs", lbMs_);
    parts.Add("chkRestricted", chkRestricted_);
    parts.Add("boxRestrictedRate", boxRestrictedRate_);
    parts.Add("boxRestrictedRes", boxRestrictedRes_);
    parts.Add("chkRestrictedDev", chkRestrictedDev_);
    parts.Add("boxDevices", boxDevices_);
    parts.Add("tckKerning", tckKerning_);
    parts.Add("tckPreload", tckPreload_);
    AddParts(parts, kShownBeforeLoaded, shownBeforeLoaded_);
    AddParts(parts, kLatencyControls, latencyControls_);
    AddParts(parts, kRestrictedFormatControls, restrictedFormatControls_);
}

void TdlgCfg::FormCreate(tk::TComponent*) {
    SetCaption(QStringLiteral("Kova 2 Einstellungen Karte #%1").arg(card_ + 1));
    tabClock_->SetCaption(QStringLiteral("Synchronisation"));
    tabMisc_->SetCaption(QStringLiteral("Sonstiges"));
    // A count that is no count of cards must not lead past the array.
    if (card_ + 1 >= cardCount_) btnNext_->SetEnabled(false);
    loaded_ = false;
    ShowRecord();
}

void TdlgCfg::ShowRecord() {
    for (tk::TComponent* control : shownBeforeLoaded_)
        ShowField(control, record_);
    loaded_ = true;
    ShowField(writeIsPlayCursor_, record_);
    ShowLatency();
    ShowRestrictedFormat();
    ShowRestrictedDevice();
    boxDevices_->SetItem(0, QStringLiteral("Kein Gerät verfügbar"));
    ShowGsif();
    btnApply_->SetEnabled(false); // the handlers that ran while showing enabled it
}

// Automatic latency leaves the bar at its design value.
void TdlgCfg::ShowLatency() {
    if (record_.DsLatency != 0) {
        ShowField(barLatency_, record_);
        btnManLatency_->SetChecked(true);
    } else {
        btnAutoLatency_->SetChecked(true);
    }
    lbMs_->SetCaption(QString::number(barLatency_->Position()));
}

void TdlgCfg::ShowRestrictedFormat() {
    const bool restricted = record_.RestrictedRate != 0;
    chkRestricted_->SetChecked(restricted);
    EnableRestrictedFormat(restricted);
    if (restricted) {
        ShowField(boxRestrictedRate_, record_);
        ShowField(boxRestrictedRes_, record_);
    } else {
        boxRestrictedRate_->SetItemIndex(kRate44100Index);
        boxRestrictedRes_->SetItemIndex(kRes16BitIndex);
    }
}

void TdlgCfg::ShowRestrictedDevice() {
    ShowField(boxDevices_, record_);
    ShowField(chkRestrictedDev_, record_);
    boxDevices_->SetEnabled(record_.RestrictedDev != 0);
}

// The bars take the record's values as they are; no on-the-fly call comes of it.
void TdlgCfg::ShowGsif() {
    gsifCoupling_ = true;
    const platform::ScopeExit uncouple{[this] { gsifCoupling_ = false; }};
    ShowField(tckKerning_, record_);
    ShowField(tckPreload_, record_);
}

void TdlgCfg::FormShow(tk::TComponent*) {
    ShowField(boxDevices_, record_);
}

bool TdlgCfg::Apply() {
    if (!btnApply_->Enabled()) return true;
    std::int32_t reconfigurable = 0;
    bool applied = driver::DriverConfigCall(driver::ConfigReconfigurable, &reconfigurable, sizeof reconfigurable) &&
                   reconfigurable != 0;
    if (applied) {
        record_.GsifKerning = tckKerning_->Position();
        record_.GsifPreload = tckPreload_->Position();
        config_.Cards[card_] = record_;
        applied = driver::DriverConfigCall(driver::ConfigSetConfig, &config_, sizeof config_);
    }
    if (!applied) win::MessageBoxA(Handle(), kRefusedText, "Fehler", win::MB_ICONERROR);
    return applied;
}

// A refused apply keeps the dialog open with its edits.
void TdlgCfg::FormClose(tk::TComponent*, tk::TCloseAction& action) {
    if (applyOnClose_) {
        applyOnClose_ = false;
        if (!Apply()) {
            action = tk::TCloseAction::caNone;
            return;
        }
    }
    host_.ChildClosed(this);
}

void TdlgCfg::btnOkClick(tk::TComponent*) {
    applyOnClose_ = true;
    Close();
}

void TdlgCfg::btnCancelClick(tk::TComponent*) { Close(); }

void TdlgCfg::btnApplyClick(tk::TComponent*) {
    if (Apply()) btnApply_->SetEnabled(false);
}

// The next card's dialog edits the same array: its apply sends this card's applied changes too.
void TdlgCfg::btnNextClick(tk::TComponent*) {
    tk::Owned<TdlgCfg> next(tk::CreateForm<TdlgCfg>(this, host_, config_, card_ + 1, cardCount_));
    next->SetPosition(tk::TPosition::poDesigned);
    next->SetBounds(Left() + kNextDialogOffset, Top() + kNextDialogOffset, next->Width(), next->Height());
    next->ShowModal();
}

void TdlgCfg::btnInfoClick(tk::TComponent*) {
    if (tk::TForm* about = host_.AboutBox()) about->ShowModal();
}

void TdlgCfg::Edited(tk::TComponent* sender) {
    btnApply_->SetEnabled(true);
    WriteField(sender, record_);
}

void TdlgCfg::chkMasterClick(tk::TComponent* sender) {
    Edited(sender);
    const bool master = chkMaster_->Checked();
    syncBusClockInternal_->SetEnabled(master);
    syncBusClockDigitalInput_->SetEnabled(master);
}

void TdlgCfg::chkSyncBusClockClick(tk::TComponent* sender) { Edited(sender); }

void TdlgCfg::WriteStartStop(const StartStopFields& fields, const StartStopPanels& panels) {
    WriteField(panels.play, record_);
    WriteField(panels.record, record_);
    record_.*fields.flagA = RecordTrue;
    record_.*fields.flagB = RecordTrue;
    record_.*fields.both = record_.*fields.play && record_.*fields.record ? RecordTrue : RecordFalse;
}

void TdlgCfg::btnAnaSS_Click(tk::TComponent*) {
    btnApply_->SetEnabled(true);
    if (loaded_) WriteStartStop(kAnalogStartStop, analogStartStop_);
}

void TdlgCfg::btnDigSS_Click(tk::TComponent*) {
    btnApply_->SetEnabled(true);
    if (loaded_) WriteStartStop(kDigitalStartStop, digitalStartStop_);
}

void TdlgCfg::btnAnaClock_DCOClick(tk::TComponent* sender) { Edited(sender); }
void TdlgCfg::btnAnaClock_DINPClick(tk::TComponent* sender) { Edited(sender); }
void TdlgCfg::btnAnaClock_SYNCBUSClick(tk::TComponent* sender) { Edited(sender); }
void TdlgCfg::btnDigPlayClock_DCOClick(tk::TComponent* sender) { Edited(sender); }
void TdlgCfg::btnDigPlayClock_DINPClick(tk::TComponent* sender) { Edited(sender); }
void TdlgCfg::btnDigPlayClock_SYNCBUSClick(tk::TComponent* sender) { Edited(sender); }

void TdlgCfg::EnableLatencyControls(bool enabled) {
    for (tk::TControl* control : latencyControls_)
        control->SetEnabled(enabled);
}

void TdlgCfg::btnAutoLatencyClick(tk::TComponent* sender) {
    btnApply_->SetEnabled(true);
    if (!static_cast<tk::TRadioButton*>(sender)->Checked()) return;
    record_.DsLatency = 0;
    EnableLatencyControls(false);
}

void TdlgCfg::btnManLatencyClick(tk::TComponent* sender) {
    btnApply_->SetEnabled(true);
    if (!static_cast<tk::TRadioButton*>(sender)->Checked()) return;
    EnableLatencyControls(true);
    WriteField(barLatency_, record_);
}

void TdlgCfg::barLatencyChange(tk::TComponent* sender) {
    Edited(sender);
    lbMs_->SetCaption(QString::number(barLatency_->Position()));
}

void TdlgCfg::chkWriteIsPlayCursorClick(tk::TComponent* sender) { Edited(sender); }

void TdlgCfg::EnableRestrictedFormat(bool enabled) {
    for (tk::TControl* control : restrictedFormatControls_)
        control->SetEnabled(enabled);
}

// Unticked, neither the rate nor the resolution is restricted, whatever the lists show.
void TdlgCfg::ApplyFormatRule(tk::TComboBox* list, std::int32_t CardConfig::*field) {
    if (chkRestricted_->Checked())
        WriteField(list, record_);
    else record_.*field = 0;
}

void TdlgCfg::chkRestrictedClick(tk::TComponent*) {
    btnApply_->SetEnabled(true);
    EnableRestrictedFormat(chkRestricted_->Checked());
    ApplyFormatRule(boxRestrictedRate_, &CardConfig::RestrictedRate);
    ApplyFormatRule(boxRestrictedRes_, &CardConfig::RestrictedRes);
}

void TdlgCfg::boxRestrictedRateChange(tk::TComponent*) {
    btnApply_->SetEnabled(true);
    ApplyFormatRule(boxRestrictedRate_, &CardConfig::RestrictedRate);
}

void TdlgCfg::boxRestrictedResChange(tk::TComponent*) {
    btnApply_->SetEnabled(true);
    ApplyFormatRule(boxRestrictedRes_, &CardConfig::RestrictedRes);
}

void TdlgCfg::chkRestrictedDevClick(tk::TComponent* sender) {
    Edited(sender);
    boxDevices_->SetEnabled(static_cast<tk::TCustomCheckBox*>(sender)->Checked());
}

void TdlgCfg::boxDevicesChange(tk::TComponent* sender) { Edited(sender); }

void TdlgCfg::tckKerningChange(tk::TComponent*) {
    if (!gsifCoupling_) GsifMoved(tckKerning_);
}

void TdlgCfg::tckPreloadChange(tk::TComponent*) {
    if (!gsifCoupling_) GsifMoved(tckPreload_);
}

void TdlgCfg::GsifMoved(tk::TTrackBar* moved) {
    if (tckPreload_->Position() - tckPreload_->Min() < tckKerning_->Position()) {
        gsifCoupling_ = true;
        const platform::ScopeExit uncouple{[this] { gsifCoupling_ = false; }};
        if (moved == tckKerning_) tckPreload_->SetPosition(tckKerning_->Position() + tckPreload_->Min());
        else tckKerning_->SetPosition(tckPreload_->Position() - tckPreload_->Min());
    }
    SendGsifOnTheFly();
    btnApply_->SetEnabled(true);
}

// The driver takes the values at once; its answer changes nothing here.
void TdlgCfg::SendGsifOnTheFly() {
    driver::OnTheFlyConfig values{};
    values.GsifKerning = OnTheFlyValue(tckKerning_->Position());
    values.GsifPreload = OnTheFlyValue(tckPreload_->Position());
    driver::DriverConfigCall(driver::ConfigSetOnTheFly, &values, sizeof values);
}

void TdlgCfg::chkNoMsgRateClick(tk::TComponent* sender) { Edited(sender); }
void TdlgCfg::chkNoMsgDevConflictClick(tk::TComponent* sender) { Edited(sender); }

} // namespace settings
