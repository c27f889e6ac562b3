// The Kova 2 Card Manager: a tray program that controls up to four Kova 2 cards.
#include "app/startup.h"
#include "toolkit/application.h"
#include "toolkit/broadcast_receiver.h"
#include "toolkit/errors.h"
#include "toolkit/qt_platform.h"
#include "toolkit/session_end.h"
#include "toolkit/tray_host.h"

#include <QApplication>

int main(int argc, char** argv) {
    tk::PrepareQtPlatform();
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
