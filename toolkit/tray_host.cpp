#include "toolkit/tray_host.h"

#include "toolkit/icons.h"
#include "toolkit/message_queue.h"

#include <algorithm>
#include <cstring>

namespace tk {
namespace {

QString TipOf(const win::NOTIFYICONDATAA& icon) {
    return QString::fromUtf8(icon.szTip, qsizetype(strnlen(icon.szTip, sizeof icon.szTip)));
}

win::UINT CallbackMessageOf(const win::NOTIFYICONDATAA& icon) {
    return (icon.uFlags & win::NIF_MESSAGE) ? icon.uCallbackMessage : 0;
}

} // namespace

TrayHost::TrayHost(ViewFactory factory) : factory_(std::move(factory)), previous_(platform::SetTrayHost(this)) {}

TrayHost::~TrayHost() { platform::SetTrayHost(previous_); }

std::vector<TrayHost::Icon>::iterator TrayHost::Find(win::HWND window, win::UINT id) {
    return std::find_if(icons_.begin(), icons_.end(),
                        [&](const Icon& icon) { return icon.window == window && icon.id == id; });
}

bool TrayHost::AddIcon(const win::NOTIFYICONDATAA& data) {
    if (!win::IsWindow(data.hWnd) || Find(data.hWnd, data.uID) != icons_.end()) return false;
    const QIcon icon = (data.uFlags & win::NIF_ICON) ? IconFromHandle(data.hIcon) : QIcon();
    const QString tip = (data.uFlags & win::NIF_TIP) ? TipOf(data) : QString();
    const win::HWND window = data.hWnd;
    const win::UINT id = data.uID;
    // The host owns the views, so a view's report never outlives it.
    auto report = [this, window, id](win::UINT mouseMessage) {
        const auto icon = Find(window, id);
        if (icon != icons_.end() && icon->callbackMessage != 0)
            win::PostMessageA(window, icon->callbackMessage, id, win::LPARAM(mouseMessage));
    };
    std::unique_ptr<TrayView> view = factory_(icon, tip, std::move(report));
    if (!view) return false;
    icons_.push_back({window, id, CallbackMessageOf(data), std::move(view)});
    return true;
}

bool TrayHost::ModifyIcon(const win::NOTIFYICONDATAA& data) {
    const auto icon = Find(data.hWnd, data.uID);
    if (icon == icons_.end()) return false;
    if (data.uFlags & win::NIF_MESSAGE) icon->callbackMessage = data.uCallbackMessage;
    if (data.uFlags & win::NIF_ICON) icon->view->SetIcon(IconFromHandle(data.hIcon));
    if (data.uFlags & win::NIF_TIP) icon->view->SetTip(TipOf(data));
    return true;
}

bool TrayHost::DeleteIcon(win::HWND window, win::UINT id) {
    const auto icon = Find(window, id);
    if (icon == icons_.end()) return false;
    icons_.erase(icon);
    return true;
}

} // namespace tk
