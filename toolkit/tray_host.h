#pragma once
// The shell's side of Shell_NotifyIconA: shows each added icon in the tray and posts its clicks to the
// record's window as the record's callback message (wParam the icon's id, lParam the mouse message).
// Installed as the platform's tray host for its lifetime.
#include "platform/tray.h"
#include "toolkit/tray_view.h"

#include <functional>
#include <memory>
#include <vector>

namespace tk {

class TrayHost : public platform::TrayHost {
public:
    using ViewFactory =
        std::function<std::unique_ptr<TrayView>(const QIcon&, const QString&, TrayView::MouseReport)>;

    // Tests give a factory of their own; the program takes the desktop's tray or the stand-in.
    explicit TrayHost(ViewFactory factory = CreateTrayView);
    ~TrayHost() override;
    TrayHost(const TrayHost&) = delete;
    TrayHost& operator=(const TrayHost&) = delete;

    bool AddIcon(const win::NOTIFYICONDATAA& icon) override;
    bool ModifyIcon(const win::NOTIFYICONDATAA& icon) override;
    bool DeleteIcon(win::HWND window, win::UINT id) override;

    int IconCount() const { return int(icons_.size()); }

private:
    struct Icon {
        win::HWND window;
        win::UINT id;
        win::UINT callbackMessage; // 0: the icon's clicks go nowhere
        std::unique_ptr<TrayView> view;
    };
    std::vector<Icon>::iterator Find(win::HWND window, win::UINT id);

    ViewFactory factory_;
    platform::TrayHost* previous_;
    std::vector<Icon> icons_;
};

} // namespace tk
