#pragma once
// The 32-bit Windows records the program fills or reads, in their Windows layout: handles are 32-bit
// ids, so the sizes and offsets are those of the 32-bit system headers.
#include "platform/win_types.h"

#include <cstddef>

namespace win {

using CHAR = char;
using MMVERSION = UINT;

constexpr UINT MAXPNAMELEN = 32; // characters of a device name, terminator included

// Shell_NotifyIconA
constexpr DWORD NIM_ADD = 0x00000000;
constexpr DWORD NIM_MODIFY = 0x00000001;
constexpr DWORD NIM_DELETE = 0x00000002;
constexpr UINT NIF_MESSAGE = 0x00000001;
constexpr UINT NIF_ICON = 0x00000002;
constexpr UINT NIF_TIP = 0x00000004;

// The first form of the tray record, with the 64-character tip.
struct NOTIFYICONDATAA {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[64];
};
static_assert(sizeof(NOTIFYICONDATAA) == 88 && offsetof(NOTIFYICONDATAA, szTip) == 24);

struct WAVEINCAPSA {
    WORD wMid;
    WORD wPid;
    MMVERSION vDriverVersion;
    CHAR szPname[MAXPNAMELEN];
    DWORD dwFormats;
    WORD wChannels;
    WORD wReserved1;
};
static_assert(sizeof(WAVEINCAPSA) == 48 && offsetof(WAVEINCAPSA, dwFormats) == 40);

struct WAVEOUTCAPSA {
    WORD wMid;
    WORD wPid;
    MMVERSION vDriverVersion;
    CHAR szPname[MAXPNAMELEN];
    DWORD dwFormats;
    WORD wChannels;
    WORD wReserved1;
    DWORD dwSupport;
};
static_assert(sizeof(WAVEOUTCAPSA) == 52 && offsetof(WAVEOUTCAPSA, dwSupport) == 48);

#pragma pack(push, 1)
// Followed by cbSize bytes of format-specific data.
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;  // Hz
    DWORD nAvgBytesPerSec; // bytes per second
    WORD nBlockAlign;      // bytes per sample frame
    WORD wBitsPerSample;
    WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18 && offsetof(WAVEFORMATEX, cbSize) == 16);

struct POINT {
    LONG x;
    LONG y;
};
static_assert(sizeof(POINT) == 8);

// WM_GETMINMAXINFO's lParam; sizes and positions in pixels.
struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};
static_assert(sizeof(MINMAXINFO) == 40 && offsetof(MINMAXINFO, ptMaxTrackSize) == 32);

// WM_DEVICECHANGE's lParam: a header, then the record that its device type names.
struct DEV_BROADCAST_HDR {
    DWORD dbch_size;
    DWORD dbch_devicetype;
    DWORD dbch_reserved;
};
static_assert(sizeof(DEV_BROADCAST_HDR) == 12);

struct DEV_BROADCAST_DEVNODE {
    DWORD dbcd_size;
    DWORD dbcd_devicetype; // DBT_DEVTYP_DEVNODE
    DWORD dbcd_reserved;
    DWORD dbcd_devnode;
};
static_assert(sizeof(DEV_BROADCAST_DEVNODE) == 16 && offsetof(DEV_BROADCAST_DEVNODE, dbcd_devnode) == 12);

} // namespace win
