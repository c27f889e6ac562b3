#pragma once
// Shell_NotifyIconA over a tray host that the user interface installs: the desktop's notification area,
// or a stand-in where it has none. Without a host every icon is refused.
#include "platform/win_records.h"

namespace win {

// NIM_ADD, NIM_MODIFY or NIM_DELETE with the 88-byte record; TRUE when the shell took it.
BOOL Shell_NotifyIconA(DWORD dwMessage, NOTIFYICONDATAA* lpData);

} // namespace win

namespace platform {

class TrayHost {
public:
    virtual ~TrayHost() = default;
    virtual bool AddIcon(const win::NOTIFYICONDATAA& icon) = 0;
    virtual bool ModifyIcon(const win::NOTIFYICONDATAA& icon) = 0;
    virtual bool DeleteIcon(win::HWND window, win::UINT id) = 0;
};

// Installs host for every later Shell_NotifyIconA (null: none) and returns the one it replaces. The
// caller keeps ownership.
TrayHost* SetTrayHost(TrayHost* host);

} // namespace platform
