// The Kova 2 Card Manager: a tray program that controls up to four Kova 2 cards.
#include "app/startup.h"
#include "toolkit/application.h"
#include "toolkit/broadcast_receiver.h"
#include "toolkit/errors.h"
#include "toolkit/session_end.h"
#include "toolkit/tray_host.h"

#include <QApplication>
#include <cstdlib>

namespace {

// Window positions, stay-on-top and the classic tray need X11; under Wayland the program runs on
// XWayland unless the user chose a platform.
void PreferX11() {
    const bool wayland = std::getenv("WAYLAND_DISPLAY") != nullptr;
    const bool x11 = std::getenv("DISPLAY") != nullptr;
    if (wayland && x11 && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "xcb", 1);
}

} // namespace

int main(int argc, char** argv) {
    PreferX11();
    QApplication qtApplication(argc, argv);
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    tk::TrayHost trayHost;
    tk::SessionEndWatcher sessionEnd;
    tk::BroadcastReceiver broadcasts;
    application->SetTitle(QStringLiteral("Kova 2 Manager"));
    try {
        app::RunStartup();
    } catch (const std::exception& error) {
        // A window that cannot be built (a damaged form description) is the only way here.
        tk::HandleException(error);
        return 1;
    }
    return 0;
}
