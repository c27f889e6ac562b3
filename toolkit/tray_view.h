#pragma once
// One icon in the tray as the desktop shows it. A view reports clicks as the mouse messages that the
// icon's window receives (WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP...).
#include "platform/win_types.h"

#include <QIcon>
#include <QString>
#include <functional>
#include <memory>

namespace tk {

class TrayView {
public:
    using MouseReport = std::function<void(win::UINT mouseMessage)>;

    virtual ~TrayView() = default;
    virtual void SetIcon(const QIcon& icon) = 0;
    virtual void SetTip(const QString& tip) = 0;
};

// The desktop's notification area when it has one, else a small stand-in window of our own.
std::unique_ptr<TrayView> CreateTrayView(const QIcon& icon, const QString& tip, TrayView::MouseReport report);

} // namespace tk
