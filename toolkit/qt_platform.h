#pragma once
// Choices about Qt's platform that must be made before the QApplication exists.

namespace tk {

// Window positions, stay-on-top and the classic tray need X11: under Wayland the program runs on
// XWayland unless the user chose a platform. On X11, window contents go to the server through the
// socket rather than as shared-memory images: the windows send small changes (a meter's lamps) many
// times a second, and each shared-memory image costs the server a completion event that wakes the
// program once more, which doubled the CPU of both while metering. The loop runs on Qt's own Unix event
// dispatcher rather than glib's: glib writes its wake-up descriptor for every event posted, even from
// the loop's own thread (each window's update request on a meter tick), Qt's only for the first until the
// loop wakes; metering cost about a fifth less. A fractional screen scale (150 %) is kept as it is.
void PrepareQtPlatform();

} // namespace tk
