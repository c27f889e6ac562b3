#include "toolkit/track_bar.h"

#include "toolkit/lifetime.h"

#include <QSlider>
#include <algorithm>

namespace tk {
namespace {

QSlider::TickPosition TickPosition(TTickMark marks) {
    switch (marks) {
    case TTickMark::tmTopLeft: return QSlider::TicksAbove;
    case TTickMark::tmBoth: return QSlider::TicksBothSides;
    default: return QSlider::TicksBelow;
    }
}

} // namespace

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner, new QSlider(Qt::Horizontal)) {
    Slider()->setSingleStep(1);
    Slider()->setPageStep(pageSize_);
    Slider()->setTickInterval(frequency_);
    Slider()->setTickPosition(TickPosition(tickMarks_));
    ApplyRange();
    connect(Slider(), &QSlider::valueChanged, this, [this](int position) {
        if (!applying_) RunFromQt([this, position] { SetPosition(position); });
    });
    SetBounds(0, 0, 150, 45);
}

QSlider* TTrackBar::Slider() const { return static_cast<QSlider*>(Widget()); }

void TTrackBar::ApplyRange() {
    applying_ = true;
    Slider()->setRange(min_, max_);
    Slider()->setValue(position_);
    applying_ = false;
}

void TTrackBar::SetMin(int min) {
    min_ = min;
    max_ = std::max(max_, min_);
    position_ = std::clamp(position_, min_, max_);
    ApplyRange();
}

void TTrackBar::SetMax(int max) {
    max_ = max;
    min_ = std::min(min_, max_);
    position_ = std::clamp(position_, min_, max_);
    ApplyRange();
}

void TTrackBar::SetPosition(int position) {
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    position_ = position;
    ApplyRange();
    if (!IsLoading()) onChange_(this);
}

void TTrackBar::SetPageSize(int pageSize) {
    pageSize_ = std::max(1, pageSize);
    Slider()->setPageStep(pageSize_);
}

void TTrackBar::SetFrequency(int frequency) {
    frequency_ = std::max(0, frequency);
    Slider()->setTickInterval(frequency_);
    Slider()->setTickPosition(frequency_ ? TickPosition(tickMarks_) : QSlider::NoTicks);
}

void TTrackBar::SetTickMarks(TTickMark marks) {
    tickMarks_ = marks;
    SetFrequency(frequency_);
}

} // namespace tk
