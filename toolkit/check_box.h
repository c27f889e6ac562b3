#pragma once
// Check boxes. Setting Checked from code runs OnClick as a click of the user does, when the state
// changes and the box is not being loaded.
#include "toolkit/win_control.h"

class QCheckBox;

namespace tk {

class TCustomCheckBox : public TWinControl {
    Q_OBJECT

public:
    explicit TCustomCheckBox(TComponent* owner);

    bool Checked() const { return checked_; }
    virtual void SetChecked(bool checked);
    // taRightJustify: the caption right of the box (the usual), taLeftJustify: left of it.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

protected:
    void TextChanged() override;

private:
    QCheckBox* Box() const;
    void ClickedByUser();

    bool checked_ = false;
    TAlignment alignment_ = TAlignment::taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    Q_OBJECT
    Q_PROPERTY(tk::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(tk::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(tk::TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(tk::TNotifyEvent OnClick READ OnClick WRITE SetOnClick)
    Q_PROPERTY(tk::TMouseEvent OnMouseDown READ OnMouseDown WRITE SetOnMouseDown)
    Q_PROPERTY(tk::TMouseEvent OnMouseUp READ OnMouseUp WRITE SetOnMouseUp)

public:
    explicit TCheckBox(TComponent* owner);
};

} // namespace tk
