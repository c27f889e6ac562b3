#pragma once
// Control handles: wave devices of the card opened with the control-only format, over which every
// private message of the driver travels. No audio is streamed through them.
#include "driver/device_tables.h"
#include "platform/mmsystem.h"

#include <span>

namespace driver {

enum class Direction { Input, Output };

// The format of a control-only open, which the driver recognises by its extra bytes.
#pragma pack(push, 1)
struct ControlFormat {
    win::WAVEFORMATEX wave; // cbSize counts the tag
    char tag[4];            // "CTRL"
    char terminator;        // 0, not counted
};
#pragma pack(pop)
static_assert(sizeof(ControlFormat) == 23);

inline constexpr ControlFormat ControlOpenFormat{
    {win::WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 4}, {'C', 'T', 'R', 'L'}, '\0'};

// Opens a control handle on the device of slot (0..7) in WaveInIds / WaveOutIds, telling callbackWindow
// (0: nobody) of the device's notifications. A slot without a device fails with MMSYSERR_BADDEVICEID
// without asking the system. Any failure raises SilentAbort; on success handle holds the new handle.
void OpenInControl(win::HWND callbackWindow, int slot, win::HWAVEIN& handle);
void OpenOutControl(win::HWND callbackWindow, int slot, win::HWAVEOUT& handle);

// Opens one control handle per (card, channel), cards outer and channels inner, into handles from its
// first entry on. A pair's slot is kind + 2 x card + channel / 2, so channels 0 and 1 are two handles
// on one device. A failed open raises SilentAbort and keeps the handles opened so far; a run that does
// not fit into handles raises it before opening anything.
void OpenControlRun(win::HWND callbackWindow, DeviceKind kind, Direction direction, int firstChannel,
                    int lastChannel, int firstCard, int lastCard, std::span<win::HWAVE> handles);

// Closes the nonzero handles among the first count entries (at most all of them) and zeroes each one
// whose close succeeds; one that fails stays.
void CloseControlRun(Direction direction, int count, std::span<win::HWAVE> handles);

} // namespace driver
