#pragma once
// Group boxes: an etched frame with the caption in its top edge around a group of controls.
#include "toolkit/win_control.h"

namespace tk {

class TGroupBox : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(tk::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(tk::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(tk::TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentCtl3D READ ParentCtl3D WRITE SetParentCtl3D)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(tk::TNotifyEvent OnClick READ OnClick WRITE SetOnClick)
    Q_PROPERTY(tk::TNotifyEvent OnEnter READ OnEnter WRITE SetOnEnter)
    Q_PROPERTY(tk::TNotifyEvent OnExit READ OnExit WRITE SetOnExit)
    Q_PROPERTY(tk::TMouseEvent OnMouseDown READ OnMouseDown WRITE SetOnMouseDown)
    Q_PROPERTY(tk::TMouseEvent OnMouseUp READ OnMouseUp WRITE SetOnMouseUp)

public:
    explicit TGroupBox(TComponent* owner);

    // Only the look: a flat frame without 3-D.
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool ctl3D);
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool parentCtl3D) { parentCtl3D_ = parentCtl3D; }

    // Inside the frame, below the caption.
    QRect AlignRect() const override;
    void Paint(QPainter& painter) override;

protected:
    void TextChanged() override;

private:
    int CaptionHeight() const;

    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
};

} // namespace tk
