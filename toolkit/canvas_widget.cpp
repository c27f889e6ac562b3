#include "toolkit/canvas_widget.h"

#include "toolkit/control.h"
#include "toolkit/lifetime.h"

#include <QMouseEvent>
#include <QPainter>

namespace tk {

CanvasWidget::CanvasWidget(TControl* control) : control_(control) {}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    if (!control_) return;
    QPainter painter(this);
    painter.setClipRegion(event->region()); // tells the painting which part is repainted
    RunFromQt([&] { control_->PaintWidget(painter); });
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) { event->accept(); }
void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }
void CanvasWidget::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

} // namespace tk
