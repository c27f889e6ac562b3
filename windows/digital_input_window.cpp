#include "windows/digital_input_window.h"

#include "controls/control_classes.h"
#include "driver/device_tables.h"
#include "driver/wave_messages.h"
#include "toolkit/check_box.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/timer.h"

#include <cstring>

namespace windows {
namespace {

constexpr win::DWORD kRateBlockBytes = 4; // the input's rate in Hz, 32 bits

const RadioTag kRadioTags[] = {
    {"btnOptical", 1}, {"btnElectrical", 2}, {"btnCd", 3},      // input select
    {"btnAnaMon", 1},  {"btnDigMon", 2},                        // monitoring destination
    {"btnNever", 0},   {"btnOnRec", 1},      {"btnOnPunch", 2}, // when to monitor
};

const FrameDesign kDesign{
    .designClientHeight = 486,
    .stripStep = 140,
    .stripWidth = 140,
    .widthMargin = 20,
    .minWidth = 156,
    .meterTags = StripCloner::MeterTags::Sequential,
    .panelTags = StripCloner::PanelTags::Always,
    .pairs = std::nullopt,
    .sections = {"pnGround", "pnHeader", "pnInpStat", "pnLevel", "bvLine", "pnChecks", "chkInpSelRate",
                 "chkPeakMeter"},
    .radioTags = kRadioTags,
    .minTrackWidth = 155,
};

// What a rate label shows for a rate block: "44100 Hz", or "No Lock" for 0.
QString RateCaption(win::DWORD rateBlock) {
    const std::optional<win::DWORD> rate = driver::LockedSampleRate(rateBlock);
    return rate ? QStringLiteral("%1 Hz").arg(*rate) : QStringLiteral("No Lock");
}

} // namespace

TfrmDigInp::TfrmDigInp(tk::TComponent* owner, WindowHost& host)
    : TChannelWindow(owner, QStringLiteral(":/forms/Dinp.form"), kDesign, host) {
    controls::RegisterControlClasses(); // the description uses them
}

TfrmDigInp::~TfrmDigInp() = default;

tk::TLabel* TfrmDigInp::RateLabel(int card) const {
    return card >= 0 && card < driver::MaxCards ? rateLabels_[std::size_t(card)] : nullptr;
}

void TfrmDigInp::DeclareParts(tk::FormParts& parts) {
    TChannelWindow::DeclareParts(parts);
    parts.Add("pnInpSelParent", inputSelectChoices_);
    parts.Add("pnRouteParent", routeChoices_);
    parts.Add("pnWhenToMonParent", whenToMonitorChoices_);
    parts.Add("RateTimer", rateTimer_);
}

void TfrmDigInp::OpenHandles() {
    driver::OpenControlRun(Handle(), driver::KindDigital, driver::Direction::Input, 0, 1, 0,
                           driver::CardCount - 1, inputHandles_);
}

void TfrmDigInp::CloseHandles() {
    driver::CloseControlRun(driver::Direction::Input, 2 * driver::CardCount, inputHandles_);
}

// The strips are complete by now, so their rate labels are collected here too.
bool TfrmDigInp::AllocateOwnBlocks() {
    FillRateLabels();
    rateBlock_ = std::make_unique<driver::TransferBlock>(kRateBlockBytes, driver::BlockMapping::Fixed);
    return bool(*rateBlock_);
}

// A label with a Tag above 0 is a card's rate label; the Tag is the card's number, 1 to 4.
void TfrmDigInp::FillRateLabels() {
    rateLabels_.fill(nullptr);
    for (tk::TComponent* component : ComponentList()) {
        auto* label = qobject_cast<tk::TLabel*>(component);
        if (label && label->Tag() > 0 && label->Tag() <= driver::MaxCards)
            rateLabels_[std::size_t(label->Tag() - 1)] = label;
    }
}

bool TfrmDigInp::ReadStartupState() {
    if (!records_.Read(driver::CardCount)) return false;
    records_.CheckChoices(*this, *inputSelectChoices_, InputSelectByte);
    records_.CheckChoices(*this, *routeChoices_, DestinationByte);
    records_.CheckChoices(*this, *whenToMonitorChoices_, WhenByte);
    return true;
}

void TfrmDigInp::btnRouteClick(tk::TComponent* sender) {
    records_.Choose(sender, InputSelectByte);
}

void TfrmDigInp::btnMonRouteClick(tk::TComponent* sender) {
    records_.Choose(sender, DestinationByte);
}

void TfrmDigInp::btnWhenToMonClick(tk::TComponent* sender) {
    records_.Choose(sender, WhenByte);
}

void TfrmDigInp::chkInpSelRateClick(tk::TComponent* sender) {
    if (auto* box = qobject_cast<tk::TCheckBox*>(sender)) ToggleUpperSection(box);
}

// The rates show at the timer's first tick, a second after the show, and then follow the inputs' lock
// once a second until the window goes.
void TfrmDigInp::ShowCompleted() {
    rateTimer_->SetEnabled(true);
}

void TfrmDigInp::RateTimerTimer(tk::TComponent*) {
    if (!rateBlock_ || !*rateBlock_) return;
    for (int card = 0; card < driver::CardCount; ++card) {
        // The cards share the block: one that writes nothing (gone, refusing) shows no lock rather than
        // the rate of the card read before it.
        std::memset(rateBlock_->Flat(), 0, kRateBlockBytes);
        win::waveInMessage(CardHandle(inputHandles_, card), driver::InGetSampleRate, rateBlock_->Address(),
                           0);
        if (tk::TLabel* label = RateLabel(card))
            label->SetCaption(RateCaption(driver::ReadBlockValue(rateBlock_->Flat())));
    }
}

// Metering counts as running only when the last card accepted its start.
bool TfrmDigInp::SendCardMeteringStart(int card) {
    return win::waveInMessage(CardHandle(inputHandles_, card), driver::InStartMetering, 0, 0) ==
           win::MMSYSERR_NOERROR;
}

void TfrmDigInp::SendCardMeteringStop(int card) {
    win::waveInMessage(CardHandle(inputHandles_, card), driver::InStopMetering, 0, 0);
}

bool TfrmDigInp::ReadCardLevels(int card, win::DWORD levelBlock) {
    win::waveInMessage(CardHandle(inputHandles_, card), driver::InGetLevels, levelBlock, 0);
    return true;
}

void TfrmDigInp::ReleaseOwnBlocks() {
    records_.Release();
    rateBlock_.reset();
}

} // namespace windows
