#include "toolkit/speed_button.h"

#include "toolkit/classic_paint.h"
#include "toolkit/win_control.h"

#include <QAccessible>
#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace tk {

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

template <class F> void TSpeedButton::ForEachInGroup(F&& function) const {
    if (groupIndex_ == 0 || !Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = qobject_cast<TSpeedButton*>(Parent()->Controls(i));
        if (other && other != this && other->groupIndex_ == groupIndex_) function(other);
    }
}

void TSpeedButton::SetDown(bool down) {
    if (groupIndex_ == 0) down = false;
    if (down == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = down;
    if (down_)
        ForEachInGroup([](TSpeedButton* other) {
            if (!other->down_) return;
            other->down_ = false;
            other->DownChanged();
        });
    DownChanged();
}

void TSpeedButton::SetGroupIndex(int groupIndex) {
    groupIndex_ = groupIndex;
    if (groupIndex_ == 0 && down_) {
        down_ = false;
        DownChanged();
    }
}

// A screen reader reads a button that stays down as checked.
void TSpeedButton::DownChanged() {
    Invalidate();
    if (!Widget() || !QAccessible::isActive()) return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(Widget(), changed);
    QAccessible::updateAccessibility(&event);
}

void TSpeedButton::SetAllowAllUp(bool allowAllUp) {
    allowAllUp_ = allowAllUp;
    ForEachInGroup([allowAllUp](TSpeedButton* other) { other->allowAllUp_ = allowAllUp; });
}

void TSpeedButton::SetFlat(bool flat) {
    flat_ = flat;
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
    layout_ = layout;
    Invalidate();
}

void TSpeedButton::SetMargin(int margin) {
    margin_ = std::max(-1, margin);
    Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
    spacing_ = std::max(-1, spacing);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int numGlyphs) { numGlyphs_ = std::clamp(numGlyphs, 1, 4); }

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && Enabled()) {
        pressed_ = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !pressed_) return;
    pressed_ = false;
    Invalidate();
    if (!ClientRect().contains(x, y)) return;
    if (groupIndex_ != 0) SetDown(!down_);
    Click();
}

void TSpeedButton::Paint(QPainter& painter) {
    QRect rect = ClientRect();
    const bool sunken = down_ || pressed_;
    if (!flat_ || sunken) {
        if (sunken) {
            Frame3D(painter, rect, cl3DDkShadow, clBtnHighlight, 1);
            Frame3D(painter, rect, clBtnShadow, cl3DLight, 1);
        } else {
            Frame3D(painter, rect, clBtnHighlight, cl3DDkShadow, 1);
            Frame3D(painter, rect, cl3DLight, clBtnShadow, 1);
        }
    }
    // A button that stays down shows the lighter face of a latched switch.
    painter.fillRect(rect, ToQColor(down_ && !pressed_ ? cl3DLight : Color()));
    if (Caption().isEmpty()) return;
    painter.setFont(Font()->ToQFont());
    painter.setPen(ToQColor(Enabled() ? Font()->Color() : clGrayText));
    const QRect textRect = ClientRect().translated(sunken ? 1 : 0, sunken ? 1 : 0);
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, DisplayText(Caption()));
}

} // namespace tk
