#pragma once
// Bevels: lowered or raised boxes, frames and lines drawn on the parent. They take no mouse input: the
// mouse goes to whatever lies below them (their hint does not show either).
#include "toolkit/control.h"

namespace tk {

class TBevel : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(tk::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(tk::TBevelShape Shape READ Shape WRITE SetShape)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(tk::TBevelStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TBevel(TComponent* owner);

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle style);

    void Paint(QPainter& painter) override;

private:
    TBevelShape shape_ = TBevelShape::bsBox;
    TBevelStyle style_ = TBevelStyle::bsLowered;
};

} // namespace tk
