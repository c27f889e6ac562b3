#include "toolkit/device_pixel_frame.h"

#include <QTransform>
#include <algorithm>
#include <cmath>

namespace tk {
namespace {

struct Span {
    double outerStart, outerEnd, innerStart, innerEnd;
};

// One axis: start and length of the rectangle in logical pixels; scale and offset map them to device
// pixels. The result is in logical coordinates again, at the logical positions of whole device pixels.
Span SnapAxis(double scale, double offset, int start, int length, int frame) {
    const auto device = [&](int logical) { return std::floor(scale * logical + offset + 0.5); };
    const auto logical = [&](double devicePixel) { return (devicePixel - offset) / scale; };
    const double line = std::max(1.0, std::floor(scale));
    const double outerStart = device(start);
    const double outerEnd = device(start + length - 1) + line;
    double innerStart = outerStart;
    double innerEnd = outerEnd;
    if (frame > 0) {
        innerStart = device(start + frame - 1) + line;
        innerEnd = std::max(innerStart, device(start + length - frame));
    }
    return {logical(outerStart), logical(outerEnd), logical(innerStart), logical(innerEnd)};
}

} // namespace

DevicePixelFrame SnapFrameToDevicePixels(const QTransform& toDevice, const QRect& rect, int frame) {
    if (rect.isEmpty()) return {};
    const Span x = SnapAxis(toDevice.m11(), toDevice.dx(), rect.left(), rect.width(), frame);
    const Span y = SnapAxis(toDevice.m22(), toDevice.dy(), rect.top(), rect.height(), frame);
    return {QRectF(QPointF(x.outerStart, y.outerStart), QPointF(x.outerEnd, y.outerEnd)),
            QRectF(QPointF(x.innerStart, y.innerStart), QPointF(x.innerEnd, y.innerEnd))};
}

} // namespace tk
