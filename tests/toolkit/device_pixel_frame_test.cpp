// Framed rectangles snapped to device pixels: where the logical grid is the device grid nothing moves;
// at 1.5 shared frame lines keep one device position and width; tiny rectangles never turn inside out.
#include "toolkit/device_pixel_frame.h"

#include <QTransform>
#include <cmath>
#include <gtest/gtest.h>

using namespace tk;

namespace {

// The device pixels a logical rectangle covers under toDevice.
QRectF OnDevice(const QTransform& toDevice, const QRectF& logical) {
    return toDevice.mapRect(logical);
}

TEST(DevicePixelFrame, AtScaleOneTheFrameAndFillAreTheLogicalOnes) {
    const QTransform toDevice = QTransform::fromTranslate(3, 7);
    const DevicePixelFrame frame = SnapFrameToDevicePixels(toDevice, QRect(1, 2, 10, 5), 1);
    EXPECT_EQ(frame.outer, QRectF(1, 2, 10, 5));
    EXPECT_EQ(frame.inner, QRectF(2, 3, 8, 3));
}

TEST(DevicePixelFrame, StackedLumisShareOneLineOfOneDevicePixelAtOneAndAHalf) {
    const QTransform toDevice = QTransform::fromScale(1.5, 1.5) * QTransform::fromTranslate(4.5, 7.5);
    // Two lumis of height 6 stacked into each other by one logical pixel, at an odd and an even top.
    const DevicePixelFrame upper = SnapFrameToDevicePixels(toDevice, QRect(0, 11, 10, 6), 1);
    const DevicePixelFrame lower = SnapFrameToDevicePixels(toDevice, QRect(0, 16, 10, 6), 1);
    const QRectF upperFill = OnDevice(toDevice, upper.inner);
    const QRectF lowerOuter = OnDevice(toDevice, lower.outer);
    const QRectF lowerFill = OnDevice(toDevice, lower.inner);
    // Every edge on a whole device pixel.
    for (const QRectF& rect : {upperFill, lowerOuter, lowerFill}) {
        EXPECT_DOUBLE_EQ(rect.top(), std::round(rect.top()));
        EXPECT_DOUBLE_EQ(rect.bottom(), std::round(rect.bottom()));
        EXPECT_DOUBLE_EQ(rect.left(), std::round(rect.left()));
    }
    EXPECT_NEAR(lowerFill.top() - upperFill.bottom(), 1.0, 1e-9); // the shared line
    EXPECT_NEAR(lowerFill.top() - lowerOuter.top(), 1.0, 1e-9);   // the same line, from below
    EXPECT_LE(std::abs(upperFill.height() - lowerFill.height()), 1.0 + 1e-9);
}

TEST(DevicePixelFrame, ATinyRectangleKeepsAnEmptyFillRatherThanANegativeOne) {
    const QTransform toDevice = QTransform::fromScale(1.5, 1.5);
    for (const int top : {0, 1}) {
        const DevicePixelFrame frame = SnapFrameToDevicePixels(toDevice, QRect(0, top, 2, 2), 1);
        EXPECT_GE(frame.inner.height(), 0.0) << top;
        EXPECT_GE(frame.inner.width(), 0.0) << top;
        EXPECT_TRUE(frame.outer.contains(frame.inner) || frame.inner.isEmpty()) << top;
    }
    EXPECT_TRUE(SnapFrameToDevicePixels(toDevice, QRect(), 1).outer.isEmpty());
}

} // namespace
