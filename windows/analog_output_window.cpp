#include "windows/analog_output_window.h"

#include "controls/control_classes.h"
#include "driver/wave_messages.h"
#include "platform/message_box.h"

namespace windows {
namespace {

win::WORD VolumeWord(int position) { return win::WORD(position * 512); }
int VolumeFromWord(win::WORD word) { return driver::VolumePosition(word); }

constexpr RadioTag kRadioTags[] = {
    {"btnProgram", SourceProgram}, {"btnDigOut", SourceOtherOutput}, {"btnAnaInp", SourceAnalogInput},
    {"btnDigInp", SourceDigitalInput}};

const FrameDesign kDesign{
    .designClientHeight = 384,
    .stripStep = 175,
    .stripWidth = 180,
    .widthMargin = 8,
    .minWidth = 193,
    .meterTags = StripCloner::MeterTags::ByCard,
    .panelTags = StripCloner::PanelTags::Always,
    .pairs = PairDesign{{driver::Direction::Output, driver::OutGetVolumes, driver::OutSetVolumes,
                         driver::OutGetMutes, driver::OutSetMutes},
                        {VolumeWord, VolumeFromWord, false}},
    .sections = {"pnGround", "pnHeader", "pnPlaybackSel", "pnLevel", "bvLine", "pnChecks", "chkPlaybackSel",
                 "chkPeakMeter"},
    .radioTags = kRadioTags,
    .widenHeader = true,
};

// The digital output and input are offered while the digital output does not play the analog input and
// nothing else uses the analog input's path.
const OutputDesign kOutput{
    .rules = {.output = driver::KindAnalog,
              .guardedSources = {SourceOtherOutput, SourceDigitalInput},
              .otherOutputBlocks = SourceAnalogInput,
              .ownSourceCounted = SourceAnalogInput,
              .setBeforeRelease = false},
    .refreshTimer = "SecTimer",
};

} // namespace

TfrmAnalogOut::TfrmAnalogOut(tk::TComponent* owner, WindowHost& host)
    : TOutputWindow(owner, QStringLiteral(":/forms/Aout.form"), kDesign, kOutput, host) {
    controls::RegisterControlClasses(); // the description uses them
}

TfrmAnalogOut::~TfrmAnalogOut() = default;

void TfrmAnalogOut::SecTimerTimer(tk::TComponent*) { RefreshTimerTick(); }

bool TfrmAnalogOut::ReadStartupState() { return ReadRoutes() && ReadMutes(); }

void TfrmAnalogOut::BeforeSourceChange() { Host().EnableDigitalWindows(); }

void TfrmAnalogOut::SourceRefused() {
    win::MessageBoxA(Handle(),
                     "Kein Adat-Monitoring möglich.\r\nDas Wiedergabegerät wird durch eine andere Anwendung benutzt.",
                     "Kova 2 Fehler", win::MB_ICONERROR);
}

} // namespace windows
