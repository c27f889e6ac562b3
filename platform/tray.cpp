#include "platform/tray.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<TrayHost*> currentHost{nullptr};

} // namespace

TrayHost* SetTrayHost(TrayHost* host) { return currentHost.exchange(host); }

} // namespace platform

namespace win {

BOOL Shell_NotifyIconA(DWORD dwMessage, NOTIFYICONDATAA* lpData) {
    platform::TrayHost* host = platform::currentHost.load();
    // Only the first form of the record is known here; a larger one would be read past its end.
    if (!host || !lpData || lpData->cbSize != sizeof(NOTIFYICONDATAA)) return FALSE;
    switch (dwMessage) {
    case NIM_ADD:
        return host->AddIcon(*lpData) ? TRUE : FALSE;
    case NIM_MODIFY:
        return host->ModifyIcon(*lpData) ? TRUE : FALSE;
    case NIM_DELETE:
        return host->DeleteIcon(lpData->hWnd, lpData->uID) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

} // namespace win
