#include "toolkit/shape.h"

#include <QPainter>
#include <algorithm>

namespace tk {

void TBrush::SetColor(TColor color) {
    color_ = color;
    emit Changed();
}

void TPen::SetColor(TColor color) {
    color_ = color;
    emit Changed();
}

void TPen::SetWidth(int width) {
    width_ = std::max(0, width);
    emit Changed();
}

TShape::TShape(TComponent* owner, TSurface surface)
    : TGraphicControl(owner, surface), brush_(std::make_unique<TBrush>()), pen_(std::make_unique<TPen>()) {
    connect(brush_.get(), &TBrush::Changed, this, [this] { Invalidate(); });
    connect(pen_.get(), &TPen::Changed, this, [this] { Invalidate(); });
    SetBounds(0, 0, 65, 65);
}

void TShape::SetShape(TShapeType shape) {
    shape_ = shape;
    Invalidate();
}

void TShape::Paint(QPainter& painter) {
    const int penWidth = pen_->Width();
    // The outline lies inside the bounds, as the classic shapes draw it.
    QRectF rect(penWidth / 2.0, penWidth / 2.0, Width() - penWidth, Height() - penWidth);
    const bool square = shape_ == TShapeType::stSquare || shape_ == TShapeType::stRoundSquare ||
                        shape_ == TShapeType::stCircle;
    if (square) {
        const double side = std::min(rect.width(), rect.height());
        rect = QRectF(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    }
    painter.setRenderHint(QPainter::Antialiasing, shape_ >= TShapeType::stRoundRect);
    painter.setBrush(ToQColor(brush_->Color()));
    painter.setPen(penWidth > 0 ? QPen(ToQColor(pen_->Color()), penWidth) : QPen(Qt::NoPen));
    const double corner = std::min(rect.width(), rect.height()) / 4;
    switch (shape_) {
    case TShapeType::stRoundRect:
    case TShapeType::stRoundSquare: painter.drawRoundedRect(rect, corner, corner); break;
    case TShapeType::stEllipse:
    case TShapeType::stCircle: painter.drawEllipse(rect); break;
    default: painter.drawRect(rect); break;
    }
}

} // namespace tk
