#pragma once
// Radio buttons: checking one unchecks the other radio buttons of the same parent. Only checking runs
// OnClick, and a click of the user on a checked one leaves it checked.
#include "toolkit/button_control.h"

namespace tk {

class TRadioButton : public TButtonControl {
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

protected:
    bool CheckedByClick() const override { return true; }
    bool ClicksWhen(bool checked) const override { return checked; }
    void CheckedChanged() override;

private:
    void UncheckSiblings();
};

} // namespace tk
