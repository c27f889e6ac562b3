#include "toolkit/bevel.h"

#include "toolkit/classic_paint.h"

#include <QWidget>

namespace tk {

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    // Only drawn: a press on it goes to the control below, as a fader's knob must take one on its mark.
    Widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape shape) {
    shape_ = shape;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
    style_ = style;
    Invalidate();
}

void TBevel::Paint(QPainter& painter) {
    const auto [first, second] = BevelColors(style_ == TBevelStyle::bsLowered ? TBevelCut::bvLowered : TBevelCut::bvRaised);
    const int w = Width();
    const int h = Height();
    switch (shape_) {
    case TBevelShape::bsBox: {
        QRect rect(0, 0, w, h);
        Frame3D(painter, rect, first, second, 1);
        break;
    }
    case TBevelShape::bsFrame: {
        // Two boxes of opposite cut, one pixel apart: an etched line.
        QRect outer(1, 1, w - 1, h - 1);
        Frame3D(painter, outer, second, second, 1);
        QRect inner(0, 0, w - 1, h - 1);
        Frame3D(painter, inner, first, first, 1);
        break;
    }
    case TBevelShape::bsTopLine:
        DrawLine(painter, first, QPoint(0, 0), QPoint(w, 0));
        DrawLine(painter, second, QPoint(0, 1), QPoint(w, 1));
        break;
    case TBevelShape::bsBottomLine:
        DrawLine(painter, first, QPoint(0, h - 2), QPoint(w, h - 2));
        DrawLine(painter, second, QPoint(0, h - 1), QPoint(w, h - 1));
        break;
    case TBevelShape::bsLeftLine:
        DrawLine(painter, first, QPoint(0, 0), QPoint(0, h));
        DrawLine(painter, second, QPoint(1, 0), QPoint(1, h));
        break;
    case TBevelShape::bsRightLine:
        DrawLine(painter, first, QPoint(w - 2, 0), QPoint(w - 2, h));
        DrawLine(painter, second, QPoint(w - 1, 0), QPoint(w - 1, h));
        break;
    default: break;
    }
}

} // namespace tk
