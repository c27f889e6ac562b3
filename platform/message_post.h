#pragma once
// Posting window messages from platform code (wave driver notifications) through the poster that the
// user interface installs, as it installs the message box handler and the tray host.
#include "platform/win_types.h"

namespace platform {

// Any thread; FALSE when the message was not queued.
using MessagePoster = win::BOOL (*)(win::HWND window, win::UINT message, win::WPARAM wParam,
                                    win::LPARAM lParam);

// Installs poster for every later post (null: none) and returns the one it replaces.
MessagePoster SetMessagePoster(MessagePoster poster);

// FALSE without a poster.
win::BOOL PostWindowMessage(win::HWND window, win::UINT message, win::WPARAM wParam, win::LPARAM lParam);

} // namespace platform
