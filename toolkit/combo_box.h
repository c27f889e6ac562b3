#pragma once
// Combo boxes as drop-down lists: the user picks one of the items and cannot type. OnChange runs when
// the user picks an item, not when ItemIndex is set by code.
#include "toolkit/win_control.h"

#include <QStringList>

class QComboBox;

namespace tk {

class TComboBox : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(tk::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(tk::TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(tk::TNotifyEvent OnChange READ OnChange WRITE SetOnChange)

public:
    explicit TComboBox(TComponent* owner);

    QStringList Items() const;
    // Replaces the items; no item is chosen afterwards.
    void SetItems(const QStringList& items);
    // Replaces the text of one item and keeps the choice; an index outside the items does nothing.
    void SetItem(int index, const QString& text);
    // -1 when no item is chosen; an index outside the items chooses none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // Chooses the item as a pick of the user does, OnChange included.
    void Select(int index);

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& event) { onChange_ = event; }

private:
    QComboBox* Box() const;

    TNotifyEvent onChange_;
};

} // namespace tk
