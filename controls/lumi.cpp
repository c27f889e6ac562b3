#include "controls/lumi.h"

#include "toolkit/device_pixel_frame.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QWidget>
#include <algorithm>

namespace controls {

TLumi::TLumi(tk::TComponent* owner, tk::TSurface surface) : TShape(owner, surface) {
    if (Widget()) Widget()->setAttribute(Qt::WA_OpaquePaintEvent); // frame and fill cover every pixel
    SetBounds(0, 0, 16, 6);
    Brush()->SetColor(colorOff_);
    Pen()->SetColor(tk::clBlack);
}

void TLumi::SetOn(bool on) {
    if (Switch(on)) Invalidate();
}

bool TLumi::Switch(bool on) {
    if (on == on_) return false;
    const QSignalBlocker quiet(Brush()); // the brush would repaint the lumi on its own
    Brush()->SetColor(on ? colorOn_ : colorOff_);
    on_ = on;
    return true;
}

void TLumi::Paint(QPainter& painter) {
    if (Shape() != tk::TShapeType::stRectangle) return TShape::Paint(painter);
    PaintRectangleAt(painter, QPoint(0, 0));
}

// A bar repaints dozens of lumis on every meter tick: the plain rectangle is two fills, the same pixels
// as the shape's outline and filling at a fraction of the cost.
void TLumi::PaintRectangleAt(QPainter& painter, QPoint topLeft) const {
    const QRect bounds(topLeft, QSize(Width(), Height()));
    const int frame = std::min({Pen()->Width(), Width() / 2, Height() / 2});
    const QTransform& toDevice = painter.deviceTransform();
    if (toDevice.type() == QTransform::TxScale) {
        const tk::DevicePixelFrame snapped = tk::SnapFrameToDevicePixels(toDevice, bounds, frame);
        if (frame > 0) painter.fillRect(snapped.outer, tk::ToQColor(Pen()->Color()));
        painter.fillRect(snapped.inner, tk::ToQColor(Brush()->Color()));
        return;
    }
    if (frame > 0) painter.fillRect(bounds, tk::ToQColor(Pen()->Color()));
    painter.fillRect(bounds.adjusted(frame, frame, -frame, -frame), tk::ToQColor(Brush()->Color()));
}

} // namespace controls
