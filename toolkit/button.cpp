#include "toolkit/button.h"

#include "toolkit/form.h"
#include "toolkit/form_widget.h"
#include "toolkit/lifetime.h"

#include <QPushButton>

namespace tk {

TButton::TButton(TComponent* owner) : TWinControl(owner, new QPushButton) {
    Button()->setAutoDefault(false);
    connect(Button(), &QPushButton::clicked, this, [this] { RunFromQt([this] { Click(); }); });
    SetBounds(0, 0, 75, 25);
}

QPushButton* TButton::Button() const { return static_cast<QPushButton*>(Widget()); }

bool TButton::Default() const { return Button()->isDefault(); }

void TButton::SetDefault(bool isDefault) { Button()->setDefault(isDefault); }

void TButton::SetCancel(bool cancel) {
    cancel_ = cancel;
    Button()->setProperty(FormWidget::kCancelButton, cancel);
}

void TButton::Click() {
    if (modalResult_ != mrNone)
        if (TForm* form = ParentForm()) form->SetModalResult(modalResult_);
    TWinControl::Click();
}

void TButton::TextChanged() { Button()->setText(DisplayText(Caption())); }

} // namespace tk
