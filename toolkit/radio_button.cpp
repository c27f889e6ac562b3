#include "toolkit/radio_button.h"

#include "toolkit/lifetime.h"

#include <QRadioButton>

namespace tk {

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner, new QRadioButton) {
    // Exclusivity follows the toolkit's parents, not Qt's widget parents, and must not fire clicks.
    Button()->setAutoExclusive(false);
    connect(Button(), &QRadioButton::clicked, this, [this] {
        RunFromQt([this] {
            if (checked_) {
                Button()->setChecked(true); // a click on a checked radio button leaves it checked
                return;
            }
            SetChecked(true);
        });
    });
    SetBounds(0, 0, 113, 17);
}

QRadioButton* TRadioButton::Button() const { return static_cast<QRadioButton*>(Widget()); }

void TRadioButton::SetChecked(bool checked) {
    Button()->setChecked(checked);
    if (checked == checked_) return;
    checked_ = checked;
    if (!checked_) return;
    UncheckSiblings();
    if (!IsLoading()) Click();
}

void TRadioButton::UncheckSiblings() {
    if (!Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* sibling = qobject_cast<TRadioButton*>(Parent()->Controls(i));
        if (sibling && sibling != this) sibling->SetChecked(false);
    }
}

void TRadioButton::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Button()->setLayoutDirection(alignment == TAlignment::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TRadioButton::TextChanged() { Button()->setText(DisplayText(Caption())); }

} // namespace tk
