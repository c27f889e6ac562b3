#include "windows/channel_window.h"

#include "controls/fader_groups.h"
#include "controls/form_state.h"
#include "controls/level_meter.h"
#include "controls/slider.h"
#include "controls/window_helpers.h"
#include "driver/device_tables.h"
#include "driver/silent_abort.h"
#include "platform/win_messages.h"
#include "platform/win_records.h"
#include "toolkit/check_box.h"
#include "toolkit/icons.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/speed_button.h"
#include "windows/accessible_names.h"

#include <algorithm>
#include <cstring>

namespace windows {
namespace {

constexpr win::DWORD kLevelBlockBytes = 8; // left and right level, 32 bits each

} // namespace

TChannelWindow::TChannelWindow(tk::TComponent* owner, const QString& description, const FrameDesign& design,
                               WindowHost& host)
    : TForm(owner, description), design_(design), host_(host),
      cloner_(design.stripStep, design.meterTags, design.panelTags), timers_(Handle()) {
    BindMessage(win::WM_GETMINMAXINFO, this, &TChannelWindow::WMGetMinMaxInfo);
    BindMessage(win::WM_SYSCOMMAND, this, &TChannelWindow::WMSysCommand);
    BindMessage(win::WM_METERTICK, this, &TChannelWindow::WMMeterTick);
    BindMessage(win::WM_LEVELPOLL, this, &TChannelWindow::WMLevelPoll);
}

TChannelWindow::~TChannelWindow() = default;

const HandleTable& TChannelWindow::PairHandles() const {
    static const HandleTable none{};
    return none;
}

controls::TLevelMeter* TChannelWindow::Meter(int tag) const {
    return tag >= 0 && tag < int(meters_.size()) ? meters_[std::size_t(tag)] : nullptr;
}

void TChannelWindow::FormCreate(tk::TComponent*) {
    SetIcon(tk::IconFromHandle(host_.WindowIcon()));
    try {
        OpenHandles();
    } catch (const driver::SilentAbort&) {
        return; // not initialised: the control window frees the window again
    }
    TagRadioButtons();
    sections_ = std::make_unique<WindowSections>(this, sectionParts_);
    sections_->StartContent(design_.designClientHeight);
    BuildStrips();
    LinkFaders();
    NameForScreenReaders();
    FillMeters();
    levelBlock_ = std::make_unique<driver::TransferBlock>(kLevelBlockBytes, driver::BlockMapping::Fixed);
    if (design_.pairs) pairs_ = std::make_unique<StripPairs>(PairHandles(), *design_.pairs);
    const bool frameBlocks = *levelBlock_ && (!pairs_ || pairs_->Allocated());
    const bool ownBlocks = AllocateOwnBlocks(); // always tried: what it got is released at destruction
    initialised_ = frameBlocks && ownBlocks;
    RouteActivation();
}

void TChannelWindow::DeclareParts(tk::FormParts& parts) {
    const SectionNames& names = design_.sections;
    parts.Add(names.group, sectionParts_.group);
    parts.Add(names.header, sectionParts_.header);
    parts.Add(names.upper, sectionParts_.upper);
    parts.Add(names.level, sectionParts_.level);
    parts.Add(names.bevel, sectionParts_.bevel);
    parts.Add(names.checks, sectionParts_.checks);
    parts.Add(names.upperBox, sectionParts_.upperBox);
    parts.Add(names.levelBox, sectionParts_.levelBox);
    taggedRadios_.assign(design_.radioTags.size(), nullptr);
    for (std::size_t i = 0; i < taggedRadios_.size(); ++i)
        parts.Add(design_.radioTags[i].name, taggedRadios_[i]);
}

void TChannelWindow::TagRadioButtons() {
    for (std::size_t i = 0; i < taggedRadios_.size(); ++i)
        taggedRadios_[i]->SetTag(design_.radioTags[i].tag);
}

void TChannelWindow::BuildStrips() {
    if (driver::CardCount == 1) sections_->RemoveHeader();
    for (int card = 1; card < driver::CardCount; ++card)
        CloneStrip(card);
}

void TChannelWindow::CloneStrip(int card) {
    const SectionParts& parts = sections_->Parts();
    cloner_.CloneStrip(parts.level, card, true);
    cloner_.CloneStrip(parts.upper, card, true);
    cloner_.CloneHeader(parts.header, card, design_.widenHeader);
}

void TChannelWindow::NameForScreenReaders() {
    // Windows without faders name none; the direction is only read for them.
    NameStripControls(*this, design_.pairs ? design_.pairs->messages.direction : driver::Direction::Input);
    NameSection(sectionParts_.upper, sectionParts_.upperBox);
    NameSection(sectionParts_.level, sectionParts_.levelBox);
}

void TChannelWindow::LinkFaders() {
    controls::ForEachFader(this, [](tk::TComponent*, controls::TSlider* fader) {
        if (!fader->Parent()) return;
        for (int i = 0; i < fader->Parent()->ControlCount(); ++i)
            if (auto* box = qobject_cast<tk::TCheckBox*>(fader->Parent()->Controls(i))) {
                fader->SetLinkCheck(box);
                return;
            }
    });
}

void TChannelWindow::FillMeters() {
    meters_.fill(nullptr);
    for (tk::TComponent* component : ComponentList()) {
        auto* meter = qobject_cast<controls::TLevelMeter*>(component);
        if (meter && meter->Tag() >= 0 && meter->Tag() < int(meters_.size())) meters_[std::size_t(meter->Tag())] = meter;
    }
}

// Activation re-applies the host's stay-on-top choice to every window.
void TChannelWindow::RouteActivation() {
    const tk::TNotifyEvent activeChanged(this, &TChannelWindow::ActiveChanged);
    SetOnActivate(activeChanged);
    SetOnDeactivate(activeChanged);
}

void TChannelWindow::ActiveChanged(tk::TComponent* sender) { host_.ChildActiveChanged(sender); }

void TChannelWindow::FormShow(tk::TComponent*) {
    if (!initialised_) return;
    if (!ReadStartupState()) {
        initialised_ = false;
        return;
    }
    controls::LoadWindowState(this);
    stateRestored_ = true;
    ReadFaders();
    const SectionParts& parts = sections_->Parts();
    if (parts.level->Visible()) StartMetering();
    if (!parts.checks->Visible()) {
        parts.checks->Show();
        ToggleControlPanel();
    }
    systemMenu_ = controls::AddSystemMenuEntries(parts.checks, host_.AboutBox(), false);
    ShowCompleted();
}

void TChannelWindow::FormClose(tk::TComponent*, tk::TCloseAction&) {
    if (stateRestored_) controls::SaveWindowState(this);
    StopMetering();
    host_.ChildClosed(this);
}

void TChannelWindow::FormDestroy(tk::TComponent*) {
    StopMetering(); // a window freed without being closed leaves no timer behind
    CloseHandles();
    pairs_.reset();
    levelBlock_.reset();
    ReleaseOwnBlocks();
}

// A window left inert shows design-time values that were never the driver's: a pair value built from
// them would overwrite the partner channel's setting, so it sends none.
void TChannelWindow::SliderChange(tk::TComponent* sender) {
    if (!initialised_) return;
    if (auto* fader = qobject_cast<controls::TSlider*>(sender); fader && pairs_) pairs_->FaderChanged(fader);
}

void TChannelWindow::chkLinkClick(tk::TComponent* sender) {
    if (auto* link = qobject_cast<tk::TCheckBox*>(sender); link && pairs_) pairs_->LinkClicked(link);
}

void TChannelWindow::btnMuteClick(tk::TComponent* sender) {
    if (!initialised_) return;
    if (auto* mute = qobject_cast<tk::TSpeedButton*>(sender); mute && pairs_) pairs_->MuteClicked(mute);
}

void TChannelWindow::ReadFaders() {
    if (driver::DriverFound && pairs_) pairs_->ReadFaders(this);
}

bool TChannelWindow::ReadMutes() {
    return !pairs_ || pairs_->ReadMutes(this, sections_->Parts().level, driver::CardCount);
}

void TChannelWindow::chkPeakMeterClick(tk::TComponent* sender) {
    auto* box = qobject_cast<tk::TCheckBox*>(sender);
    if (!box || !sections_) return;
    controls::UpdateSystemMenuEntry(box);
    if (box->Checked()) {
        sections_->ShowLevel(true);
        StartMetering();
    } else {
        StopMetering();
        sections_->ShowLevel(false);
    }
}

void TChannelWindow::ToggleUpperSection(tk::TCheckBox* box) {
    if (!sections_) return;
    controls::UpdateSystemMenuEntry(box);
    sections_->ShowUpper(box->Checked());
}

void TChannelWindow::ToggleControlPanel() {
    if (!sections_) return;
    sections_->ToggleControlPanel();
    controls::UpdateSystemMenuEntry(sections_->Parts().checks);
}

void TChannelWindow::StartMetering() {
    if (metering_) return;
    bool accepted = false;
    for (int card = 0; card < driver::CardCount; ++card) {
        accepted = SendCardMeteringStart(card);
        // A card that accepted an earlier start still meters, whatever it answers now.
        cardMetering_[std::size_t(card)] = cardMetering_[std::size_t(card)] || accepted;
    }
    metering_ = accepted;
    timers_.StartTick();
    timers_.StartPoll();
}

// Every card that accepted its start is stopped, also when the last card refused and Metering stayed
// clear: the driver would otherwise meter it for ever. The timers go in any case: they would otherwise
// poll a hidden section or a closed window.
void TChannelWindow::StopMetering() {
    for (int card = 0; card < driver::CardCount; ++card)
        if (cardMetering_[std::size_t(card)]) SendCardMeteringStop(card);
    cardMetering_.fill(false);
    timers_.KillBoth();
    metering_ = false;
}

void TChannelWindow::WMGetMinMaxInfo(tk::TMessage& message) {
    message.Result = 0;
    auto* info = message.RecordAs<win::MINMAXINFO>();
    if (!initialised_ || !info) return;
    const int width = std::max(driver::CardCount * design_.stripWidth + design_.widthMargin, design_.minWidth);
    const int height = ContentHeight();
    info->ptMaxSize = {width, height};
    info->ptMaxPosition = {0, 0};
    info->ptMinTrackSize = {design_.minTrackWidth ? design_.minTrackWidth : design_.minWidth, height};
    info->ptMaxTrackSize = {width, height};
}

void TChannelWindow::WMSysCommand(tk::TMessage& message) {
    TForm::DefaultHandler(message);
    if (!sections_) return;
    const win::UINT command = message.WParam & 0xFFFF;
    tk::TPanel* checks = sections_->Parts().checks;
    for (int i = 0; i < checks->ControlCount(); ++i) {
        auto* box = qobject_cast<tk::TCheckBox*>(checks->Controls(i));
        if (box && controls::SystemMenuCommand(box) == command) {
            box->SetChecked(!box->Checked());
            return;
        }
    }
    tk::TForm* about = host_.AboutBox();
    if (about && controls::SystemMenuCommand(about) == command) ShowAboutBox(about);
    else if (controls::SystemMenuCommand(checks) == command) ToggleControlPanel();
}

void TChannelWindow::ShowAboutBox(tk::TForm* about) {
    if (!about->Visible()) about->ShowModal();
}

void TChannelWindow::WMMeterTick(tk::TMessage& message) {
    for (controls::TLevelMeter* meter : meters_) {
        if (!meter) continue;
        tk::TMessage tick{message.Msg, message.WParam, message.LParam, 0, nullptr};
        meter->WMMeterTick(tick);
    }
    message.Result = 1;
}

void TChannelWindow::WMLevelPoll(tk::TMessage& message) {
    message.Result = 1;
    if (!levelBlock_ || !*levelBlock_) return;
    for (int card = 0; card < driver::CardCount; ++card) {
        // The cards share the block: one that writes nothing (gone, refusing) reads as silence rather
        // than as the levels of the card before it.
        std::memset(levelBlock_->Flat(), 0, kLevelBlockBytes);
        if (!ReadCardLevels(card, levelBlock_->Address())) continue;
        const driver::LevelPair levels = driver::ReadLevelBlock(levelBlock_->Flat());
        if (auto* left = Meter(2 * card)) left->SetLevel(levels.left);
        if (auto* right = Meter(2 * card + 1)) right->SetLevel(levels.right);
    }
}

} // namespace windows
