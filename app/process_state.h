#pragma once
// What the whole program shares: the request to end, the tray icon, and the permanent windows that
// other windows reach without knowing their classes.
#include "platform/win_types.h"

namespace tk {
class TForm;
}

namespace app {

// Set by every path that ends the program; never cleared once set.
inline bool TerminateRequested = false;
// The icon "MIXERICON": the tray's and the windows' icon; 0 before start-up loads it.
inline win::HICON TrayIcon = 0;
// The control window and the about box while they exist.
inline tk::TForm* ControlWindow = nullptr;
inline tk::TForm* AboutBox = nullptr;

} // namespace app
