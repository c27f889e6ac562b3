#pragma once
// The Qt dialog behind MessageBoxA: caption, text (CR LF shown as line breaks), the icon that the
// MB_ICON bits ask for and an OK button, over the form that the owner handle names.
#include "platform/message_box.h"

namespace tk {

win::INT ShowMessageBoxDialog(win::HWND owner, std::string_view text, std::string_view caption, win::UINT type);

} // namespace tk
