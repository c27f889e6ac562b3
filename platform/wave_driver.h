#pragma once
// Between the wave device stand-in and the wave drivers it loads: shared libraries beside the program,
// named in the drivers list. Each exports
//     extern "C" win::DWORD widMessage(win::UINT uDeviceID, win::UINT uMsg, win::DWORD_PTR dwUser,
//                                      win::DWORD_PTR dwParam1, win::DWORD_PTR dwParam2);
//     extern "C" win::DWORD wodMessage(...the same...);
// uDeviceID counts the driver's own devices from 0. For the open message dwUser points at the
// DWORD_PTR in which the driver keeps its instance data; every later message of that handle carries it.
#include "platform/mmsystem.h"

namespace win {

using WaveDriverEntry = DWORD (*)(UINT uDeviceID, UINT uMsg, DWORD_PTR dwUser, DWORD_PTR dwParam1,
                                  DWORD_PTR dwParam2);

constexpr UINT DRV_USER = 0x4000;

// Output devices.
constexpr UINT WODM_GETNUMDEVS = 3;  // returns the number of devices
constexpr UINT WODM_GETDEVCAPS = 4;  // dwParam1: WAVEOUTCAPSA*, dwParam2: its size
constexpr UINT WODM_OPEN = 5;        // dwParam1: const WAVEOPENDESC*, dwParam2: the open flags
constexpr UINT WODM_CLOSE = 6;
constexpr UINT WODM_GETVOLUME = 16;
constexpr UINT WODM_SETVOLUME = 17;
// Input devices.
constexpr UINT WIDM_GETNUMDEVS = 50;
constexpr UINT WIDM_GETDEVCAPS = 51; // dwParam1: WAVEINCAPSA*, dwParam2: its size
constexpr UINT WIDM_OPEN = 52;       // dwParam1: const WAVEOPENDESC*, dwParam2: the open flags
constexpr UINT WIDM_CLOSE = 53;

struct WAVEOPENDESC {
    HWAVE hWave;                  // the handle the client holds
    const WAVEFORMATEX* lpFormat; // followed by cbSize extra bytes
    DWORD_PTR dwCallback;         // the window for CALLBACK_WINDOW
    DWORD_PTR dwInstance;
};

// For drivers: tells the client as its open flags asked (CALLBACK_WINDOW: posts dwMsg to the window with
// wParam = hDevice, lParam = dwParam1). FALSE when nothing was delivered.
BOOL DriverCallback(DWORD_PTR dwCallback, DWORD dwFlags, HANDLE32 hDevice, UINT dwMsg, DWORD_PTR dwUser,
                    DWORD_PTR dwParam1, DWORD_PTR dwParam2);

} // namespace win
