#pragma once
// The 32-bit Windows scalar types the program's code is written in. Handles are 32-bit ids, so the
// records that carry them keep their Windows layout.
#include <cstdint>

namespace win {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using BOOL = std::int32_t;
using INT = std::int32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using WPARAM = std::uint32_t;
using LPARAM = std::int32_t;
using LRESULT = std::int32_t;
using MMRESULT = UINT;

using HANDLE32 = std::uint32_t;
using HWND = HANDLE32;
using HICON = HANDLE32;
using HMENU = HANDLE32;
using HINSTANCE = HANDLE32;

using HMEM16 = WORD;
using VPVOID = DWORD; // 16:16 address: selector in the high word, offset in the low word

using LPCSTR = const char*;
using LPSTR = char*;
using LPVOID = void*;
using VOID = void;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

constexpr WORD LOWORD(DWORD v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(DWORD v) { return static_cast<WORD>(v >> 16); }
constexpr DWORD MAKELONG(WORD lo, WORD hi) { return DWORD(lo) | (DWORD(hi) << 16); }

} // namespace win
