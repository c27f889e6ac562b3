#include "windows/analog_input_window.h"

#include "controls/control_classes.h"
#include "controls/fader_groups.h"
#include "controls/slider.h"
#include "driver/device_tables.h"
#include "driver/wave_messages.h"
#include "toolkit/check_box.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"

namespace windows {
namespace {

win::WORD GainWord(int position) { return win::WORD(position * 256); }
int GainFromWord(win::WORD word) { return (word >> 8) & 0xFF; }

const RadioTag kRadioTags[] = {
    {"btnAnaMon", 1}, {"btnDigMon", 2},                  // monitoring destination
    {"btnNever", 0},  {"btnOnRec", 1},  {"btnOnPunch", 2}, // when to monitor
};

const FrameDesign kDesign{
    .designClientHeight = 417,
    .stripStep = 173,
    .stripWidth = 173,
    .widthMargin = 24,
    .minWidth = 191,
    .meterTags = StripCloner::MeterTags::Sequential,
    .panelTags = StripCloner::PanelTags::UntaggedOnly,
    .pairs = PairDesign{{driver::Direction::Input, driver::InGetGains, driver::InSetGains, driver::InGetMutes,
                         driver::InSetMutes},
                        {GainWord, GainFromWord, true}},
    .sections = {"grpInput", "pnHeader", "pnInpMon", "pnMeters", "bvLine", "pnChecks", "chkRouting",
                 "chkPeakMeter"},
    .radioTags = kRadioTags,
};

} // namespace

TfrmAnalogInp::TfrmAnalogInp(tk::TComponent* owner, WindowHost& host)
    : TChannelWindow(owner, QStringLiteral(":/forms/Ainp.form"), kDesign, host) {
    controls::RegisterControlClasses(); // the description uses them
}

TfrmAnalogInp::~TfrmAnalogInp() = default;

void TfrmAnalogInp::DeclareParts(tk::FormParts& parts) {
    TChannelWindow::DeclareParts(parts);
    parts.Add("pnRouteParent", routeChoices_);
    parts.Add("pnWhenToMonParent", whenToMonitorChoices_);
}

void TfrmAnalogInp::OpenHandles() {
    driver::OpenControlRun(Handle(), driver::KindAnalog, driver::Direction::Input, 0, 1, 0, driver::CardCount - 1,
                           inputHandles_);
}

void TfrmAnalogInp::CloseHandles() {
    driver::CloseControlRun(driver::Direction::Input, 2 * driver::CardCount, inputHandles_);
}

void TfrmAnalogInp::LinkFaders() {
    TChannelWindow::LinkFaders();
    controls::ForEachFader(this, [](tk::TComponent*, controls::TSlider* fader) {
        if (fader->Number() % 2 == 0 || !fader->LinkCheck()) return;
        fader->LinkCheck()->SetHint(
            QStringLiteral("Verbinde/Trenne Fader %1-%2").arg(fader->Number()).arg(fader->Number() + 1));
    });
}

bool TfrmAnalogInp::ReadStartupState() {
    SetEventsEnabled(true);
    return ReadMutes() && ReadMonitoring();
}

// Only the monitoring choices: byte 0 of an analog input's record travels back as read.
bool TfrmAnalogInp::ReadMonitoring() {
    if (!records_.Read(driver::CardCount)) return false;
    records_.CheckChoices(*this, *routeChoices_, DestinationByte);
    records_.CheckChoices(*this, *whenToMonitorChoices_, WhenByte);
    return true;
}

void TfrmAnalogInp::btnPunchRouteClick(tk::TComponent* sender) { records_.Choose(sender, DestinationByte); }

void TfrmAnalogInp::btnWhenToMonClick(tk::TComponent* sender) { records_.Choose(sender, WhenByte); }

void TfrmAnalogInp::chkRoutingClick(tk::TComponent* sender) {
    if (auto* box = qobject_cast<tk::TCheckBox*>(sender)) ToggleUpperSection(box);
}

// The answer is not looked at: the window meters whatever the card says.
bool TfrmAnalogInp::SendCardMeteringStart(int card) {
    win::waveInMessage(CardHandle(inputHandles_, card), driver::InStartMetering, 0, 0);
    return true;
}

void TfrmAnalogInp::SendCardMeteringStop(int card) {
    win::waveInMessage(CardHandle(inputHandles_, card), driver::InStopMetering, 0, 0);
}

bool TfrmAnalogInp::ReadCardLevels(int card, win::DWORD levelBlock) {
    win::waveInMessage(CardHandle(inputHandles_, card), driver::InGetLevels, levelBlock, 0);
    return true;
}

void TfrmAnalogInp::ReleaseOwnBlocks() { records_.Release(); }

} // namespace windows
