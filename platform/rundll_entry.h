#pragma once
// The entry point that the rundll host calls in a library: "LIBRARY,Entry arguments" on its command line
// becomes Entry(0, 0, "arguments", show command).
#include "platform/win_types.h"

namespace win {

using RundllEntry = void (*)(HWND hwnd, HINSTANCE hinst, LPSTR lpszCmdLine, INT nCmdShow);

} // namespace win
