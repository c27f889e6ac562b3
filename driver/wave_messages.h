#pragma once
// The card driver's messages on control handles: input messages go with waveInMessage on an input
// control handle, output messages with waveOutMessage on an output one. dwParam2 is always 0; dwParam1
// is a value or the 16:16 address of a TransferBlock (the records are in driver/message_records.h).
#include "platform/wave_driver.h"

namespace driver {

// Input messages.
constexpr win::UINT InGetGains = win::DRV_USER + 0x32;      // block: gain pair; nonzero result: not read
constexpr win::UINT InSetGains = win::DRV_USER + 0x33;      // value: gain pair value, both channels
constexpr win::UINT InGetInputState = win::DRV_USER + 0x34; // block: input-state record
constexpr win::UINT InSetInputState = win::DRV_USER + 0x35; // value: input-state value
constexpr win::UINT InStartMetering = win::DRV_USER + 0x38; // 0
constexpr win::UINT InStopMetering = win::DRV_USER + 0x39;  // 0
constexpr win::UINT InGetLevels = win::DRV_USER + 0x3A;     // block: level block, 8 bytes
constexpr win::UINT InGetSampleRate = win::DRV_USER + 0x3F; // block: rate block
constexpr win::UINT InGetMutes = win::DRV_USER + 0x42;      // block: mute pair; nonzero result: not read
constexpr win::UINT InSetMutes = win::DRV_USER + 0x43;      // value: mute pair value

// Output messages. The first two are the standard volume messages, with a block in place of a pointer.
constexpr win::UINT OutGetVolumes = win::WODM_GETVOLUME;     // block: volume pair
constexpr win::UINT OutSetVolumes = win::WODM_SETVOLUME;     // value: volume pair value
constexpr win::UINT OutGetMutes = win::DRV_USER + 0x01;      // block: mute pair; nonzero result: not read
constexpr win::UINT OutSetMutes = win::DRV_USER + 0x02;      // value: mute pair value
constexpr win::UINT OutStartMetering = win::DRV_USER + 0x07; // 0
constexpr win::UINT OutStopMetering = win::DRV_USER + 0x08;  // 0
constexpr win::UINT OutGetLevels = win::DRV_USER + 0x09;     // block: level block, 8 bytes
constexpr win::UINT OutGetRoute = win::DRV_USER + 0x0A;      // block: route record
constexpr win::UINT OutSetRoute = win::DRV_USER + 0x0B;      // value: route value; nonzero result: refused
constexpr win::UINT OutGetFormat = win::DRV_USER + 0x0D;     // block: format block
constexpr win::UINT OutSetFormat = win::DRV_USER + 0x0E;     // value: 1 audio, 0 non-audio
constexpr win::UINT OutGetDeviceNode = win::DRV_USER + 0x11; // block: the card's device node, 32 bits

} // namespace driver
