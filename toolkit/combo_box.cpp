#include "toolkit/combo_box.h"

#include "toolkit/lifetime.h"

#include <QComboBox>

namespace tk {

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner, new QComboBox) {
    Box()->setEditable(false);
    // activated comes from the user only; code that sets the index runs no OnChange.
    connect(Box(), &QComboBox::activated, this, [this](int index) { RunFromQt([this, index] { Select(index); }); });
    SetBounds(0, 0, 145, 21);
}

QComboBox* TComboBox::Box() const { return static_cast<QComboBox*>(Widget()); }

QStringList TComboBox::Items() const {
    QStringList items;
    for (int index = 0; index < Box()->count(); ++index) items.push_back(Box()->itemText(index));
    return items;
}

void TComboBox::SetItems(const QStringList& items) {
    Box()->clear();
    Box()->addItems(items);
    Box()->setCurrentIndex(-1);
}

void TComboBox::SetItem(int index, const QString& text) {
    if (index >= 0 && index < Box()->count()) Box()->setItemText(index, text);
}

int TComboBox::ItemIndex() const { return Box()->currentIndex(); }

void TComboBox::SetItemIndex(int index) { Box()->setCurrentIndex(index >= 0 && index < Box()->count() ? index : -1); }

void TComboBox::Select(int index) {
    SetItemIndex(index);
    if (!IsLoading()) onChange_(this);
}

} // namespace tk
