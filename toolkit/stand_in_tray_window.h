#pragma once
// Where the desktop has no notification area: a small frameless window in the top right corner of the
// screen that shows the icon and takes its clicks.
#include "toolkit/tray_view.h"

#include <QWidget>

namespace tk {

class StandInTrayWindow : public QWidget, public TrayView {
public:
    StandInTrayWindow(const QIcon& icon, const QString& tip, MouseReport report);

    void SetIcon(const QIcon& icon) override;
    void SetTip(const QString& tip) override { setToolTip(tip); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QIcon icon_;
    MouseReport report_;
};

} // namespace tk
