#include "toolkit/timer.h"

#include "toolkit/lifetime.h"

#include <algorithm>

namespace tk {

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    connect(&timer_, &QTimer::timeout, this, [this] { RunFromQt([this] { onTimer_(this); }); });
}

void TTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(int interval) {
    interval_ = std::max(0, interval);
    UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& event) {
    onTimer_ = event;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    // A timer without handler would only wake the program.
    if (!enabled_ || interval_ == 0 || !onTimer_ || IsLoading()) {
        timer_.stop();
        return;
    }
    timer_.start(interval_);
}

} // namespace tk
