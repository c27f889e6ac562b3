#include "toolkit/radio_button.h"

#include <QRadioButton>

namespace tk {

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner, new QRadioButton) {
    // Exclusivity follows the toolkit's parents, not Qt's widget parents, and must not fire clicks.
    static_cast<QRadioButton*>(Widget())->setAutoExclusive(false);
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::CheckedChanged() {
    if (Checked()) UncheckSiblings();
}

void TRadioButton::UncheckSiblings() {
    if (!Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* sibling = qobject_cast<TRadioButton*>(Parent()->Controls(i));
        if (sibling && sibling != this) sibling->SetChecked(false);
    }
}

} // namespace tk
