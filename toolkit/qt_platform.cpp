#include "toolkit/qt_platform.h"

#include <QGuiApplication>
#include <cstdlib>

namespace tk {

void PrepareQtPlatform() {
    const bool wayland = std::getenv("WAYLAND_DISPLAY") != nullptr;
    const bool x11 = std::getenv("DISPLAY") != nullptr;
    if (wayland && x11 && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("QT_XCB_NO_MITSHM", "1", 0);
    setenv("QT_NO_GLIB", "1", 0);
    // A screen at 150 % draws at 1.5, not rounded to 2: the controls' drawing snaps to device pixels.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

} // namespace tk
