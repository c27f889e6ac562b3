#pragma once
// ShellExecuteA for the one program the card manager starts: the rundll host beside it.
#include "platform/win_types.h"

namespace win {

constexpr INT SW_SHOWDEFAULT = 10;
constexpr HINSTANCE SE_ERR_FNF = 2; // file not found
constexpr HINSTANCE SE_ERR_ACCESSDENIED = 5;
constexpr HINSTANCE SE_ERR_OOM = 8;

// Returns a value above 32 when the program was started.
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        INT nShowCmd);

} // namespace win
