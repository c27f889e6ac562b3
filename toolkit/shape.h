#pragma once
// Shapes: rectangles, squares, rounded ones, ellipses and circles drawn with a pen and a brush.
#include "toolkit/control.h"

namespace tk {

// The colour that fills a shape.
class TBrush : public QObject {
    Q_OBJECT
    Q_PROPERTY(tk::TColor Color READ Color WRITE SetColor)

public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);

signals:
    void Changed();

private:
    TColor color_ = clWhite;
};

// The outline of a shape.
class TPen : public QObject {
    Q_OBJECT
    Q_PROPERTY(tk::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)

public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);

signals:
    void Changed();

private:
    TColor color_ = clBlack;
    int width_ = 1; // pixels, 0 draws no outline
};

class TShape : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(tk::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(tk::TBrush* Brush READ Brush)
    Q_PROPERTY(tk::TPen* Pen READ Pen)
    Q_PROPERTY(tk::TShapeType Shape READ Shape WRITE SetShape)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(tk::TMouseEvent OnMouseDown READ OnMouseDown WRITE SetOnMouseDown)
    Q_PROPERTY(tk::TMouseEvent OnMouseUp READ OnMouseUp WRITE SetOnMouseUp)

public:
    explicit TShape(TComponent* owner, TSurface surface = TSurface::ownWidget);

    TBrush* Brush() const { return brush_.get(); }
    TPen* Pen() const { return pen_.get(); }
    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType shape);

    void Paint(QPainter& painter) override;

private:
    std::unique_ptr<TBrush> brush_;
    std::unique_ptr<TPen> pen_;
    TShapeType shape_ = TShapeType::stRectangle;
};

} // namespace tk
