#include "toolkit/qt_platform.h"

#include <cstdlib>

namespace tk {

void PrepareQtPlatform() {
    const bool wayland = std::getenv("WAYLAND_DISPLAY") != nullptr;
    const bool x11 = std::getenv("DISPLAY") != nullptr;
    if (wayland && x11 && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("QT_XCB_NO_MITSHM", "1", 0);
}

} // namespace tk
