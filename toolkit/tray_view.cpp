#include "toolkit/tray_view.h"

#include "toolkit/stand_in_tray_window.h"
#include "toolkit/system_tray_view.h"

namespace tk {

std::unique_ptr<TrayView> CreateTrayView(const QIcon& icon, const QString& tip, TrayView::MouseReport report) {
    if (QSystemTrayIcon::isSystemTrayAvailable())
        return std::make_unique<SystemTrayView>(icon, tip, std::move(report), TrayUsesSingleActivation());
    return std::make_unique<StandInTrayWindow>(icon, tip, std::move(report));
}

} // namespace tk
