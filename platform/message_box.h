#pragma once
// MessageBoxA behind a replaceable handler: the user interface installs its dialog, tests a capture.
#include "platform/win_types.h"

#include <functional>
#include <string_view>

namespace win {

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr INT IDOK = 1;

INT MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);

} // namespace win

namespace platform {

using MessageBoxHandler =
    std::function<win::INT(win::HWND owner, std::string_view text, std::string_view caption, win::UINT type)>;

// Installs handler for every later MessageBoxA and returns the one it replaces. Without a handler a
// box is written to standard error and answered with IDOK.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace platform
