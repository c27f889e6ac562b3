#include "toolkit/system_tray_view.h"

#include "platform/win_messages.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>

namespace tk {
namespace {

constexpr win::UINT kMiddleButtonUp = 0x0208;

} // namespace

SystemTrayView::SystemTrayView(const QIcon& icon, const QString& tip, MouseReport report, bool singleActivation)
    : report_(std::move(report)), singleActivation_(singleActivation) {
    icon_.setIcon(icon);
    icon_.setToolTip(tip);
    QObject::connect(&icon_, &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
        if (const win::UINT message = MouseMessageForActivation(reason, singleActivation_)) report_(message);
    });
    icon_.show();
}

win::UINT MouseMessageForActivation(QSystemTrayIcon::ActivationReason reason, bool singleActivation) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return singleActivation ? win::WM_LBUTTONDBLCLK : win::WM_LBUTTONUP;
    case QSystemTrayIcon::DoubleClick:
        return singleActivation ? 0 : win::WM_LBUTTONDBLCLK;
    case QSystemTrayIcon::Context:
        return win::WM_RBUTTONUP;
    case QSystemTrayIcon::MiddleClick:
        return kMiddleButtonUp;
    case QSystemTrayIcon::Unknown:
        break;
    }
    return 0;
}

bool TrayUsesSingleActivation() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(watcher)) return false;
    QDBusInterface properties(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
    return properties.property("IsStatusNotifierHostRegistered").toBool();
}

} // namespace tk
