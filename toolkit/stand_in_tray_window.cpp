#include "toolkit/stand_in_tray_window.h"

#include "toolkit/classic_paint.h"
#include "platform/win_messages.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace tk {
namespace {

constexpr int kWindowSize = 24; // px, a tray slot
constexpr int kIconSize = 16;   // px
constexpr int kScreenMargin = 2; // px from the screen's edges

} // namespace

StandInTrayWindow::StandInTrayWindow(const QIcon& icon, const QString& tip, MouseReport report)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      icon_(icon), report_(std::move(report)) {
    setObjectName(QStringLiteral("trayStandIn"));
    setWindowTitle(tip);
    setToolTip(tip);
    setFixedSize(kWindowSize, kWindowSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() - kWindowSize - kScreenMargin + 1, area.top() + kScreenMargin);
    }
    show();
}

void StandInTrayWindow::SetIcon(const QIcon& icon) {
    icon_ = icon;
    update();
}

void StandInTrayWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    QRect frame = rect();
    const auto [light, shadow] = BevelColors(TBevelCut::bvRaised);
    Frame3D(painter, frame, light, shadow, 1);
    const int offset = (kWindowSize - kIconSize) / 2;
    icon_.paint(&painter, QRect(offset, offset, kIconSize, kIconSize));
}

void StandInTrayWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) report_(win::WM_LBUTTONUP);
    else if (event->button() == Qt::RightButton) report_(win::WM_RBUTTONUP);
}

void StandInTrayWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) report_(win::WM_LBUTTONDBLCLK);
}

} // namespace tk
