#pragma once
// Single-line edit fields. OnChange runs on every change of Text, by the user or by code, except while
// the form is being loaded.
#include "toolkit/win_control.h"

class QLineEdit;

namespace tk {

class TEdit : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(tk::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(tk::TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(tk::TNotifyEvent OnChange READ OnChange WRITE SetOnChange)
    Q_PROPERTY(tk::TNotifyEvent OnEnter READ OnEnter WRITE SetOnEnter)
    Q_PROPERTY(tk::TNotifyEvent OnExit READ OnExit WRITE SetOnExit)

public:
    explicit TEdit(TComponent* owner);

    QString Text() const;
    void SetText(const QString& text);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength);
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& event) { onChange_ = event; }

private:
    QLineEdit* LineEdit() const;

    int maxLength_ = 0; // characters, 0 for no limit
    TNotifyEvent onChange_;
};

} // namespace tk
