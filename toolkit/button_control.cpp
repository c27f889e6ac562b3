#include "toolkit/button_control.h"

#include "toolkit/lifetime.h"

#include <QAbstractButton>

namespace tk {

TButtonControl::TButtonControl(TComponent* owner, QAbstractButton* button) : TWinControl(owner, button) {
    // clicked comes from the user only (mouse or keyboard); changes from code run Click themselves.
    connect(button, &QAbstractButton::clicked, this, [this] { RunFromQt([this] { SetChecked(CheckedByClick()); }); });
}

QAbstractButton* TButtonControl::Button() const { return static_cast<QAbstractButton*>(Widget()); }

void TButtonControl::SetChecked(bool checked) {
    Button()->setChecked(checked); // also undoes a click that Qt toggled the wrong way
    if (checked == checked_) return;
    checked_ = checked;
    CheckedChanged();
    if (ClicksWhen(checked) && !IsLoading()) Click();
}

void TButtonControl::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Button()->setLayoutDirection(alignment == TAlignment::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TButtonControl::TextChanged() { Button()->setText(DisplayText(Caption())); }

} // namespace tk
