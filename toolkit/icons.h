#pragma once
// Icons by resource name ("MIXERICON" is the folder :/icons/MIXERICON/ with one picture per size) and
// by 32-bit handle, as the records handed to the shell carry them.
#include "platform/win_types.h"

#include <QIcon>

namespace win {

// The program's own module is the only one with icons; hInstance is ignored. 0 when there is no such icon.
HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName);
BOOL DestroyIcon(HICON hIcon);

} // namespace win

namespace tk {

// The icon behind a handle; a null icon for a handle that names none.
QIcon IconFromHandle(win::HICON handle);

} // namespace tk
