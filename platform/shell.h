#pragma once
// ShellExecuteA for the one program the card manager starts: the rundll host beside it.
#include "platform/win_types.h"

namespace win {

constexpr INT SW_SHOWDEFAULT = 10;
constexpr HINSTANCE SE_ERR_FNF = 2; // file not found
constexpr HINSTANCE SE_ERR_PNF = 3; // path (working directory) not found
constexpr HINSTANCE SE_ERR_ACCESSDENIED = 5;
constexpr HINSTANCE SE_ERR_OOM = 8;
constexpr HINSTANCE SE_ERR_NOASSOC = 31; // a verb other than "open"

// Starts "rundll.exe" (any case): the rundll host in platform::ExecutableDir(), with lpParameters as
// its one argument and this process's heap named in its environment. Any other file is not found.
// Returns a value above 32 when the host was started; platform::TakeStartedProcess() then hands it
// over. The show command has no meaning for the host and is ignored.
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        INT nShowCmd);

} // namespace win
