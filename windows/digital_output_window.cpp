#include "windows/digital_output_window.h"

#include "controls/control_classes.h"
#include "driver/device_tables.h"
#include "driver/wave_messages.h"
#include "toolkit/radio_button.h"

#include <cstring>

namespace windows {
namespace {

constexpr win::DWORD kFormatBytes = 4;

constexpr RadioTag kRadioTags[] = {
    {"btnProgram", SourceProgram},
    {"btnAnaOut", SourceOtherOutput},
    {"btnAnaInp", SourceAnalogInput},
    {"btnDigInp", SourceDigitalInput},
    {"btnAudio", int(driver::OutputFormat::Audio)},
    {"btnNonAudio", int(driver::OutputFormat::NonAudio)},
};

const FrameDesign kDesign{
    .designClientHeight = 436,
    .stripStep = 138,
    .stripWidth = 148,
    .widthMargin = 8,
    .minWidth = 155,
    .meterTags = StripCloner::MeterTags::ByCard,
    .panelTags = StripCloner::PanelTags::Always,
    .pairs = std::nullopt,
    .sections = {"pnGround", "pnHeader", "pnPlaybackSel", "pnLevel", "bvLine", "pnChecks", "chkPlaybackSel",
                 "chkPeakMeter"},
    .radioTags = kRadioTags,
    .widenHeader = true,
};

// The analog output and input are offered while the analog output does not play the digital input and
// nothing else uses the digital input's path.
const OutputDesign kOutput{
    .rules = {.output = driver::KindDigital,
              .guardedSources = {SourceOtherOutput, SourceAnalogInput},
              .otherOutputBlocks = SourceDigitalInput,
              .ownSourceCounted = SourceDigitalInput,
              .setBeforeRelease = true},
    .refreshTimer = "secTimer",
};

} // namespace

TfrmDigOut::TfrmDigOut(tk::TComponent* owner, WindowHost& host)
    : TOutputWindow(owner, QStringLiteral(":/forms/Dout.form"), kDesign, kOutput, host) {
    controls::RegisterControlClasses(); // the description uses them
}

TfrmDigOut::~TfrmDigOut() = default;

void TfrmDigOut::secTimerTimer(tk::TComponent*) { RefreshTimerTick(); }

bool TfrmDigOut::AllocateOwnBlocks() {
    formatBlock_ = std::make_unique<driver::TransferBlock>(kFormatBytes);
    return bool(*formatBlock_);
}

void TfrmDigOut::ReleaseOwnBlocks() {
    TOutputWindow::ReleaseOwnBlocks();
    formatBlock_.reset();
}

bool TfrmDigOut::IsRouteRadio(const tk::TRadioButton* radio) const {
    return !radio->Caption().contains(QStringLiteral("Audio"));
}

bool TfrmDigOut::ReadStartupState() {
    if (!ReadRoutes()) return false;
    ReadFormats();
    return true;
}

// A card that does not answer keeps its radios as they are: checking one would send its format back.
void TfrmDigOut::ReadFormats() {
    for (int card = 0; card < driver::CardCount; ++card) {
        if (win::waveOutMessage(CardHandle(DigitalPlaybackHandles(), card), driver::OutGetFormat,
                                formatBlock_->Address(), 0) != win::MMSYSERR_NOERROR)
            continue;
        const std::optional<driver::OutputFormat> format =
            driver::DecodeOutputFormat(driver::ReadBlockValue(formatBlock_->Flat()));
        if (!format) continue;
        for (tk::TComponent* component : ComponentList())
            if (auto* radio = qobject_cast<tk::TRadioButton*>(component);
                radio && CardOf(radio) == card && !IsRouteRadio(radio) && radio->Tag() == int(*format))
                radio->SetChecked(true);
    }
}

void TfrmDigOut::btnFormatClick(tk::TComponent* sender) {
    auto* radio = qobject_cast<tk::TRadioButton*>(sender);
    if (!radio || !radio->Checked() || !formatBlock_ || !*formatBlock_) return;
    const int card = CardOf(radio);
    if (card < 0 || card >= driver::CardCount) return;
    const win::DWORD format = win::DWORD(radio->Tag());
    std::memcpy(formatBlock_->Flat(), &format, sizeof format);
    win::waveOutMessage(CardHandle(DigitalPlaybackHandles(), card), driver::OutSetFormat, win::DWORD(radio->Tag()), 0);
}

} // namespace windows
