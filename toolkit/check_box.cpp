#include "toolkit/check_box.h"

#include "toolkit/lifetime.h"

#include <QCheckBox>

namespace tk {

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TWinControl(owner, new QCheckBox) {
    // clicked comes from the user only (mouse or keyboard); changes from code run Click themselves.
    connect(Box(), &QCheckBox::clicked, this, [this] { RunFromQt([this] { ClickedByUser(); }); });
    SetBounds(0, 0, 97, 17);
}

QCheckBox* TCustomCheckBox::Box() const { return static_cast<QCheckBox*>(Widget()); }

void TCustomCheckBox::ClickedByUser() {
    checked_ = Box()->isChecked();
    Click();
}

void TCustomCheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Box()->setChecked(checked);
    if (!IsLoading()) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Box()->setLayoutDirection(alignment == TAlignment::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCustomCheckBox::TextChanged() { Box()->setText(DisplayText(Caption())); }

TCheckBox::TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}

} // namespace tk
