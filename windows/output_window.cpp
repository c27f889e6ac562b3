#include "windows/output_window.h"

#include "driver/device_tables.h"
#include "platform/scope_exit.h"
#include "toolkit/check_box.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/timer.h"

namespace windows {
namespace {

driver::DeviceKind OtherOutput(driver::DeviceKind output) {
    return output == driver::KindAnalog ? driver::KindDigital : driver::KindAnalog;
}

} // namespace

TOutputWindow::TOutputWindow(tk::TComponent* owner, const QString& description, const FrameDesign& design,
                             const OutputDesign& output, WindowHost& host)
    : TChannelWindow(owner, description, design, host), output_(output),
      routes_(Handle(), output.rules.output == driver::KindAnalog ? playbackHandles_ : digitalPlaybackHandles_,
              output.rules.output == driver::KindAnalog ? digitalPlaybackHandles_ : playbackHandles_, output.rules) {}

TOutputWindow::~TOutputWindow() = default;

tk::TRadioButton* TOutputWindow::LastRouteButton(int card) const {
    return card >= 0 && card < driver::MaxCards ? lastRoute_[std::size_t(card)] : nullptr;
}

void TOutputWindow::OpenHandles() {
    const driver::DeviceKind own = output_.rules.output;
    auto& ownTable = own == driver::KindAnalog ? playbackHandles_ : digitalPlaybackHandles_;
    auto& otherTable = own == driver::KindAnalog ? digitalPlaybackHandles_ : playbackHandles_;
    const int lastCard = driver::CardCount - 1;
    driver::OpenControlRun(Handle(), own, driver::Direction::Output, 0, 1, 0, lastCard, ownTable);
    driver::OpenControlRun(Handle(), OtherOutput(own), driver::Direction::Output, 0, 1, 0, lastCard, otherTable);
}

void TOutputWindow::CloseHandles() {
    driver::CloseControlRun(driver::Direction::Output, 2 * driver::CardCount, digitalPlaybackHandles_);
    driver::CloseControlRun(driver::Direction::Output, 2 * driver::CardCount, playbackHandles_);
}

void TOutputWindow::DeclareParts(tk::FormParts& parts) {
    TChannelWindow::DeclareParts(parts);
    parts.Add(output_.refreshTimer, refreshTimer_);
}

bool TOutputWindow::ReadRoutes() {
    if (!routes_.Allocate(driver::CardCount)) return false;
    RefreshRoutes();
    refreshTimer_->SetEnabled(true);
    return true;
}

void TOutputWindow::RefreshTimerTick() { RefreshRoutes(); }

void TOutputWindow::RefreshRoutes() {
    if (refreshing_) return;
    refreshing_ = true;
    const platform::ScopeExit done{[this] { refreshing_ = false; }};
    for (int card = 0; card < driver::CardCount; ++card)
        RefreshCard(card);
}

void TOutputWindow::RefreshCard(int card) {
    const std::optional<win::BYTE> current = routes_.Refresh(card);
    if (!current) return;
    // Offered by the records as read: a change that checking a radio starts does not count yet.
    const bool metering = Metering();
    const std::vector<tk::TRadioButton*> radios = RouteRadios(card);
    std::vector<bool> offered;
    for (const tk::TRadioButton* radio : radios)
        offered.push_back(routes_.Offered(card, radio->Tag(), metering));
    for (std::size_t i = 0; i < radios.size(); ++i) {
        tk::TRadioButton* radio = radios[i];
        if (radio->Tag() == *current) {
            radio->SetChecked(true);
            lastRoute_[std::size_t(card)] = radio;
        }
        if (routes_.Guarded(radio->Tag())) radio->SetEnabled(offered[i]);
    }
}

bool TOutputWindow::IsRouteRadio(const tk::TRadioButton*) const { return true; }

std::vector<tk::TRadioButton*> TOutputWindow::RouteRadios(int card) const {
    std::vector<tk::TRadioButton*> radios;
    for (tk::TComponent* component : ComponentList())
        if (auto* radio = qobject_cast<tk::TRadioButton*>(component); radio && CardOf(radio) == card && IsRouteRadio(radio))
            radios.push_back(radio);
    return radios;
}

void TOutputWindow::btnRouteClick(tk::TComponent* sender) {
    const bool refreshing = refreshTimer_->Enabled();
    refreshTimer_->SetEnabled(false);
    const platform::ScopeExit resume{[this, refreshing] {
        if (refreshing) refreshTimer_->SetEnabled(true);
    }};
    auto* radio = qobject_cast<tk::TRadioButton*>(sender);
    if (!radio || !radio->Checked()) return;
    const int card = CardOf(radio);
    if (card < 0 || card >= driver::CardCount || !routes_.Allocated(card)) return;
    try {
        ChangeSource(radio, card);
    } catch (...) {
        FallBack(card);
        throw;
    }
}

void TOutputWindow::ChangeSource(tk::TRadioButton* radio, int card) {
    BeforeSourceChange();
    const bool metering = Metering();
    // No level poll between letting the old source go and metering the new one.
    if (metering) Timers().KillPoll();
    SourceChange change;
    {
        const platform::ScopeExit restart{[this, metering] {
            if (metering) Timers().StartPoll();
        }};
        change = routes_.Change(card, win::BYTE(radio->Tag()), metering);
    }
    switch (change) {
    case SourceChange::Applied: Host().RefreshOtherOutputRoutes(this); return;
    case SourceChange::Refused: SourceRefused(); break;
    case SourceChange::NotOpened: break;
    }
    FallBack(card);
}

// The previous choice is checked again, which applies it again through btnRouteClick.
void TOutputWindow::FallBack(int card) {
    tk::TRadioButton* last = LastRouteButton(card);
    if (!last) return;
    last->SetChecked(true);
    last->SetFocus();
}

// Only a checked radio is a choice to fall back to: a refused one, unchecked again by the fall back,
// loses the focus only afterwards, and one the focus merely passed through was never chosen.
void TOutputWindow::btnRouteExit(tk::TComponent* sender) {
    auto* radio = qobject_cast<tk::TRadioButton*>(sender);
    const int card = radio && radio->Checked() ? CardOf(radio) : -1;
    if (card >= 0 && card < driver::MaxCards) lastRoute_[std::size_t(card)] = radio;
}

void TOutputWindow::chkPlaybackSelClick(tk::TComponent* sender) {
    if (auto* box = qobject_cast<tk::TCheckBox*>(sender)) ToggleUpperSection(box);
}

bool TOutputWindow::SendCardMeteringStart(int card) {
    routes_.StartMetering(card);
    return true;
}

void TOutputWindow::SendCardMeteringStop(int card) { routes_.StopMetering(card); }

bool TOutputWindow::ReadCardLevels(int card, win::DWORD levelBlock) { return routes_.ReadLevels(card, levelBlock); }

// The window's own choices die with it: its source handles and both records of every card.
void TOutputWindow::ReleaseOwnBlocks() {
    refreshTimer_->SetEnabled(false);
    routes_.Release();
}

} // namespace windows
