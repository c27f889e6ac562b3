#include "toolkit/edit.h"

#include "toolkit/lifetime.h"

#include <QLineEdit>
#include <algorithm>

namespace tk {

TEdit::TEdit(TComponent* owner) : TWinControl(owner, new QLineEdit) {
    connect(LineEdit(), &QLineEdit::textChanged, this, [this] {
        RunFromQt([this] {
            if (!IsLoading()) onChange_(this);
        });
    });
    SetBounds(0, 0, 121, 21);
}

QLineEdit* TEdit::LineEdit() const { return static_cast<QLineEdit*>(Widget()); }

QString TEdit::Text() const { return LineEdit()->text(); }

void TEdit::SetText(const QString& text) { LineEdit()->setText(text); }

void TEdit::SetMaxLength(int maxLength) {
    maxLength_ = std::max(0, maxLength);
    LineEdit()->setMaxLength(maxLength_ == 0 ? 32767 : maxLength_);
}

bool TEdit::ReadOnly() const { return LineEdit()->isReadOnly(); }

void TEdit::SetReadOnly(bool readOnly) { LineEdit()->setReadOnly(readOnly); }

} // namespace tk
