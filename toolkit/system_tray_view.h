#pragma once
// A tray icon in the desktop's notification area.
#include "toolkit/tray_view.h"

#include <QSystemTrayIcon>

namespace tk {

class SystemTrayView : public TrayView {
public:
    // singleActivation: the desktop reports a click as one activation and never a double click
    // (trays spoken to over D-Bus); that activation then stands for the double click.
    SystemTrayView(const QIcon& icon, const QString& tip, MouseReport report, bool singleActivation);

    void SetIcon(const QIcon& icon) override { icon_.setIcon(icon); }
    void SetTip(const QString& tip) override { icon_.setToolTip(tip); }

private:
    QSystemTrayIcon icon_;
    MouseReport report_;
    bool singleActivation_;
};

// The mouse message that an activation of the icon stands for, 0 for none.
win::UINT MouseMessageForActivation(QSystemTrayIcon::ActivationReason reason, bool singleActivation);

// Whether the desktop's tray is spoken to over D-Bus, as Qt does when a tray host is registered there.
bool TrayUsesSingleActivation();

} // namespace tk
