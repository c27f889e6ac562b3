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

constexpr int kDestinationByte = 1; // monitoring destination: 1 analog, 2 digital output
constexpr int kWhenByte = 2;        // 0 never, 1 while recording, 2 while punch recording

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
    .sections = {"grpInput", "pnHeader", "pnInpMon", "pnMeters", "bvLine", "pnChecks"},
    .radioTags = kRadioTags,
};

} // namespace

TfrmAnalogInp::TfrmAnalogInp(tk::TComponent* owner, WindowHost& host)
    : TChannelWindow(owner, QStringLiteral(":/forms/Ainp.form"), kDesign, host) {
    controls::RegisterControlClasses(); // the description uses them
}

TfrmAnalogInp::~TfrmAnalogInp() = default;

// A record whose block could not be mapped leaves the window inert but open: its strip's choices
// must not reach the record.
win::BYTE* TfrmAnalogInp::RecordBytes(int card) const {
    if (card < 0 || card >= driver::MaxCards || !monitorRecords_[std::size_t(card)]) return nullptr;
    return static_cast<win::BYTE*>(monitorRecords_[std::size_t(card)]->Flat());
}

std::optional<driver::InputState> TfrmAnalogInp::MonitorRecord(int card) const {
    const win::BYTE* record = RecordBytes(card);
    if (!record) return std::nullopt;
    return driver::DecodeInputState(driver::ReadBlockValue(record));
}

void TfrmAnalogInp::OpenHandles() {
    driver::OpenControlRun(Handle(), driver::KindAnalog, driver::Direction::Input, 0, 1, 0, driver::CardCount - 1,
                           inputHandles_);
}

void TfrmAnalogInp::CloseHandles() {
    driver::CloseControlRun(driver::Direction::Input, 2 * driver::CardCount, inputHandles_);
}

void TfrmAnalogInp::CloneStrip(int card) {
    Cloner().CloneStrip(Part<tk::TPanel>("pnMeters"), card, true);
    Cloner().CloneStrip(Part<tk::TPanel>("pnInpMon"), card, true);
    Cloner().CloneHeader(Part<tk::TPanel>("pnHeader"), card, false);
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

bool TfrmAnalogInp::ReadMonitoring() {
    for (int card = 0; card < driver::CardCount; ++card) {
        auto& record = monitorRecords_[std::size_t(card)];
        if (!record) record = std::make_unique<driver::TransferBlock>(4, driver::BlockMapping::Fixed);
        if (!*record) return false;
        win::waveInMessage(CardHandle(inputHandles_, card), driver::InGetInputState, record->Address(), 0);
    }
    CheckRecordChoices("pnRouteParent", kDestinationByte);
    CheckRecordChoices("pnWhenToMonParent", kWhenByte);
    return true;
}

void TfrmAnalogInp::CheckRecordChoices(const char* templatePanel, int byteIndex) {
    const auto* design = Part<tk::TPanel>(templatePanel);
    const tk::TWinControl* section = design->Parent();
    for (tk::TComponent* component : ComponentList()) {
        auto* panel = qobject_cast<tk::TPanel*>(component);
        if (!panel || panel->Parent() != section || panel->Top() != design->Top()) continue;
        const std::optional<driver::InputState> record = MonitorRecord(panel->Tag());
        if (!record) continue;
        const win::BYTE chosen = driver::UnpackRecord(driver::InputStateValue(*record))[std::size_t(byteIndex)];
        for (int i = 0; i < panel->ControlCount(); ++i) {
            auto* radio = qobject_cast<tk::TRadioButton*>(panel->Controls(i));
            if (radio && radio->Tag() == chosen) radio->SetChecked(true);
        }
    }
}

void TfrmAnalogInp::btnPunchRouteClick(tk::TComponent* sender) { SendChoice(sender, kDestinationByte); }

void TfrmAnalogInp::btnWhenToMonClick(tk::TComponent* sender) { SendChoice(sender, kWhenByte); }

void TfrmAnalogInp::SendChoice(tk::TComponent* sender, int byteIndex) {
    auto* radio = qobject_cast<tk::TRadioButton*>(sender);
    if (!radio || !radio->Parent()) return;
    const int card = CardOf(radio);
    win::BYTE* record = card < driver::CardCount ? RecordBytes(card) : nullptr;
    if (!record) return;
    record[byteIndex] = win::BYTE(radio->Tag());
    win::waveInMessage(CardHandle(inputHandles_, card), driver::InSetInputState, driver::ReadBlockValue(record), 0);
}

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

void TfrmAnalogInp::ReleaseOwnBlocks() {
    for (auto& record : monitorRecords_)
        record.reset();
}

} // namespace windows
