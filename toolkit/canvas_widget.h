#pragma once
// The widget of a control that draws itself: painting goes to the control, and mouse events stop here
// rather than reach the parent's widget, as they would not reach a parent window.
#include <QWidget>

namespace tk {

class TControl;

class CanvasWidget : public QWidget {
    Q_OBJECT

public:
    explicit CanvasWidget(TControl* control);
    // The control is gone; the widget only waits to be deleted.
    void Detach() { control_ = nullptr; }
    TControl* Control() const { return control_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    TControl* control_;
};

} // namespace tk
