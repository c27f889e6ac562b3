#pragma once
// A framed rectangle (a lumi: frame colour, then fill) placed on whole device pixels for a painter with
// a fractional number of device pixels to the logical pixel, such as 1.5 on a screen at 150 %.
//
// The rule: each logical frame line starts at the device pixel nearest its logical edge and is
// floor(scale) device pixels thick, at least one; the fill takes what lies between the lines. Two
// rectangles that share a frame line (lumis stacked one logical pixel into each other) therefore draw
// it at the same device pixels and with the same thickness, so the gaps between fills are all one
// width, and the fills differ by one device pixel at most (6 or 7 at 1.5 for fills 5 logical pixels
// apart, where rounding each edge on its own would give gaps of 1 and 2).
#include <QRect>
#include <QRectF>

class QTransform;

namespace tk {

struct DevicePixelFrame {
    QRectF outer; // what the frame colour fills, in the painter's logical coordinates
    QRectF inner; // what the fill colour fills; empty where the frame leaves nothing
};

// rect and frame (its line width) in logical pixels; toDevice is the painter's device transform,
// translation and scale only.
DevicePixelFrame SnapFrameToDevicePixels(const QTransform& toDevice, const QRect& rect, int frame);

} // namespace tk
