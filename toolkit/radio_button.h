#pragma once
// Radio buttons: checking one unchecks the other radio buttons of the same parent. Checking one from
// code runs its OnClick as a click of the user does, when it was unchecked and is not being loaded.
#include "toolkit/win_control.h"

class QRadioButton;

namespace tk {

class TRadioButton : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(tk::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(tk::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(tk::TCursor Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(tk::TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(tk::TNotifyEvent OnClick READ OnClick WRITE SetOnClick)
    Q_PROPERTY(tk::TNotifyEvent OnDblClick READ OnDblClick WRITE SetOnDblClick)
    Q_PROPERTY(tk::TNotifyEvent OnEnter READ OnEnter WRITE SetOnEnter)
    Q_PROPERTY(tk::TNotifyEvent OnExit READ OnExit WRITE SetOnExit)
    Q_PROPERTY(tk::TMouseEvent OnMouseDown READ OnMouseDown WRITE SetOnMouseDown)
    Q_PROPERTY(tk::TMouseEvent OnMouseUp READ OnMouseUp WRITE SetOnMouseUp)

public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    // taRightJustify: the caption right of the circle (the usual), taLeftJustify: left of it.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

protected:
    void TextChanged() override;

private:
    QRadioButton* Button() const;
    void UncheckSiblings();

    bool checked_ = false;
    TAlignment alignment_ = TAlignment::taRightJustify;
};

} // namespace tk
