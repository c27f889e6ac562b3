#pragma once
// The card's own wave driver messages (DRV_USER + n) and the two standard ones it answers on control
// handles. Records travel in 16-bit blocks (dwParam1 = 16:16 address) or by value in dwParam1.
#include "platform/wave_driver.h"

namespace simcard::wave_code {

// Input devices.
constexpr win::UINT kGetGains = win::DRV_USER + 0x32;      // block: gain words left, right
constexpr win::UINT kSetGains = win::DRV_USER + 0x33;      // value: left word low, right word high
constexpr win::UINT kGetInputState = win::DRV_USER + 0x34; // block: input state record
constexpr win::UINT kSetInputState = win::DRV_USER + 0x35; // value: input state record
constexpr win::UINT kStartInputMeter = win::DRV_USER + 0x38;
constexpr win::UINT kStopInputMeter = win::DRV_USER + 0x39;
constexpr win::UINT kReadInputLevel = win::DRV_USER + 0x3A; // block: two 32-bit levels
constexpr win::UINT kGetLockRate = win::DRV_USER + 0x3F;    // block: Hz, 0 = no lock
constexpr win::UINT kGetInputMutes = win::DRV_USER + 0x42;  // block: mute words left, right
constexpr win::UINT kSetInputMutes = win::DRV_USER + 0x43;  // value: mute words

// Output devices.
constexpr win::UINT kGetVolume = win::WODM_GETVOLUME;       // block: volume words left, right
constexpr win::UINT kSetVolume = win::WODM_SETVOLUME;       // value: volume words
constexpr win::UINT kGetOutputMutes = win::DRV_USER + 0x01; // block: mute words
constexpr win::UINT kSetOutputMutes = win::DRV_USER + 0x02; // value: mute words
constexpr win::UINT kStartOutputMeter = win::DRV_USER + 0x07;
constexpr win::UINT kStopOutputMeter = win::DRV_USER + 0x08;
constexpr win::UINT kReadOutputLevel = win::DRV_USER + 0x09; // block: two 32-bit levels
constexpr win::UINT kGetRoute = win::DRV_USER + 0x0A;        // block: route record
constexpr win::UINT kSetRoute = win::DRV_USER + 0x0B;        // value: route record, byte 0 applies
constexpr win::UINT kGetFormat = win::DRV_USER + 0x0D;       // block: 1 audio, 0 non-audio
constexpr win::UINT kSetFormat = win::DRV_USER + 0x0E;       // value: 1 audio, 0 non-audio
constexpr win::UINT kGetDevNode = win::DRV_USER + 0x11;      // block: the card's device node number

} // namespace simcard::wave_code
