#include "controls/slider.h"

#include "controls/round_even.h"
#include "toolkit/bevel.h"
#include "toolkit/errors.h"

#include <QAccessible>
#include <QWidget>
#include <algorithm>

namespace controls {

TSlider::TSlider(tk::TComponent* owner) : TCustomPanel(owner) {
    CreateKnob();
    SetColor(tk::clBlack);
    SetBevelOuter(tk::TBevelCut::bvNone);
    SetBevelInner(tk::TBevelCut::bvLowered);
    SetBounds(Left(), Top(), kTrackWidth, 149);
}

void TSlider::CreateKnob() {
    knob_ = new tk::TPanel(this);
    knob_->SetAccessibilityHidden(true); // the fader itself is what a screen reader operates
    knob_->SetBounds(0, 0, btnWidth_, btnHeight_);
    knob_->SetCtl3D(false);
    knob_->SetBorderStyle(tk::TBorderStyle::bsSingle);
    knob_->SetBorderWidth(1);
    knob_->SetColor(tk::clBtnFace);
    knob_->SetOnMouseDown(tk::TMouseEvent(this, &TSlider::KnobMouseDown));
    knob_->SetOnMouseUp(tk::TMouseEvent(this, &TSlider::KnobMouseUp));
    knob_->SetOnMouseMove(tk::TMouseMoveEvent(this, &TSlider::KnobMouseMove));
    knobMark_ = new tk::TBevel(knob_);
    knobMark_->SetShape(tk::TBevelShape::bsTopLine);
    knobMark_->SetStyle(tk::TBevelStyle::bsLowered);
    knobMark_->SetParent(knob_);
    knobMark_->SetBounds(1, 0, 0, 2);
    PlaceKnobMark();
}

void TSlider::SetMin(int value) {
    ApplyRatio(RatioFromPosition());
    min_ = value;
}

void TSlider::SetMax(int value) {
    ApplyRatio(RatioFromPosition());
    max_ = value;
}

void TSlider::SetPosition(int value) {
    if (value < min_) value = min_;
    else if (value > max_) value = max_;
    position_ = value;
    ApplyRatio(RatioFromPosition());
}

void TSlider::SetBtnHeight(int value) {
    btnHeight_ = value;
    knob_->SetHeight(value);
    FitKnobToTravel();
    PlaceKnobMark();
}

void TSlider::SetBtnWidth(int value) {
    btnWidth_ = value;
    knob_->SetWidth(value);
    knob_->SetLeft(KnobLeft());
    PlaceKnobMark();
}

void TSlider::SetMoveRestriction(int value) {
    moveRestriction_ = value;
    FitKnobToTravel();
}

void TSlider::ApplyRatio(double ratio) {
    // The description may give Min, Max and Position in any order; set-up applies the final values.
    if (IsLoading()) return;
    if (ratio < 0.0 || ratio > 1.0)
        throw tk::ERangeError(QStringLiteral("Wert für Position liegt außerhalb von Min und Max"));
    ratio_ = ratio;
    position_ = RoundEven((double(max_) - double(min_)) * ratio + double(min_));
    knobOffset_ = RoundEven(travel_ * ratio);
    knob_->SetTop(KnobTop());
    NotifyValueChanged();
    if (onChange_) onChange_(this);
}

void TSlider::NotifyValueChanged() {
    if (!QAccessible::isActive()) return;
    QAccessibleValueChangeEvent event(Widget(), position_);
    QAccessible::updateAccessibility(&event);
}

double TSlider::RatioFromPosition() const {
    if (max_ == min_) return 0.0;
    return (double(position_) - double(min_)) / (double(max_) - double(min_));
}

double TSlider::RatioFromKnobOffset() const { return travel_ == 0 ? 0.0 : double(knobOffset_) / travel_; }

int TSlider::KnobLeft() const { return Left() + Width() / 2 - btnWidth_ / 2; }

int TSlider::KnobTop() const { return Top() + Height() - btnHeight_ / 2 - knobOffset_ - moveRestriction_; }

void TSlider::FitKnobToTravel() {
    travel_ = Height() - 2 * moveRestriction_;
    knobOffset_ = RoundEven(travel_ * ratio_);
    knob_->SetTop(KnobTop());
}

void TSlider::PlaceKnobMark() {
    knobMark_->SetTop((knob_->Height() - 4) / 2);
    knobMark_->SetWidth(knob_->Width() - 5);
}

void TSlider::SetUp() {
    // Marked first: a position that the bounds refuse must not raise its error at every paint.
    setUp_ = true;
    knob_->SetLeft(KnobLeft());
    knob_->SetParent(Parent());
    travel_ = Height() - 2 * moveRestriction_;
    ApplyRatio(RatioFromPosition());
    PlaceKnobMark();
}

void TSlider::Loaded() {
    TCustomPanel::Loaded();
    SetUp();
}

void TSlider::Paint(QPainter& painter) {
    TCustomPanel::Paint(painter);
    if (!setUp_) SetUp();
    knob_->SetLeft(KnobLeft());
    const int top = KnobTop();
    if (knob_->Top() != top) knob_->SetTop(top);
}

void TSlider::SetParent(tk::TWinControl* parent) {
    TCustomPanel::SetParent(parent);
    if (setUp_) knob_->SetParent(parent);
}

void TSlider::Resize() {
    if (Width() != kTrackWidth) {
        SetWidth(kTrackWidth); // which comes back here with the width right
        return;
    }
    FitKnobToTravel();
    TCustomPanel::Resize();
}

void TSlider::BoundsChanged() {
    TCustomPanel::BoundsChanged();
    // A moved track takes its knob along.
    knob_->SetBounds(KnobLeft(), KnobTop(), knob_->Width(), knob_->Height());
}

void TSlider::KnobMouseDown(tk::TComponent*, tk::TMouseButton, tk::TShiftState, int, int y) {
    dragging_ = true;
    grabY_ = y;
}

void TSlider::KnobMouseUp(tk::TComponent*, tk::TMouseButton, tk::TShiftState, int, int) { dragging_ = false; }

void TSlider::KnobMouseMove(tk::TComponent*, tk::TShiftState, int, int y) {
    if (!dragging_) return;
    // The knob follows the pointer, so the pointer stays at the grab point.
    knobOffset_ = std::max(0, std::min(knobOffset_ - (y - grabY_), travel_));
    ApplyRatio(RatioFromKnobOffset());
}

} // namespace controls
