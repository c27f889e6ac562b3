#pragma once
// The card's mixer messages on an open control handle, carried out against the hardware state.
//
// Records as the card fills them (little-endian, 4 bytes unless said):
//   gains        word 0 left, word 1 right: fader position 31..164 in the high byte
//   volumes      word 0 left, word 1 right: standard wave volume
//   mutes        word 0 left, word 1 right: 0xFFFF muted, 0 not; any nonzero word mutes when set
//   input state  byte 0 input select: 1 optical, 2 electrical, 3 CD on the digital input, 0 on the
//                analog input, which has nothing to select; byte 1 monitoring destination: 1 analog,
//                2 digital output; byte 2 when to monitor: 0 never, 1 while recording, 2 while punch
//                recording; byte 3 1 while the input carries a signal (analog always, digital while
//                locked), ignored when set
//   route        byte 0 playback source: 0 application, 1 the card's other output, 2 analog input,
//                3 digital input; byte 1 channels (2); byte 2 the output's kind (0 analog, 1 digital);
//                byte 3 users of the output's path: the input handles of this process that meter the
//                card's input of the output's kind, plus one while an application plays on the card,
//                so a window that meters that input through its own two handles finds them counted;
//                bytes 1 to 3 are ignored when set
//   level        8 bytes: left and right peak, signed 32-bit, 0..32767; zero while the device is not
//                metered; while serve runs, the highest since this handle's last read
//   lock rate, format, device node: one 32-bit value
// A set is applied to a copy of the card's hardware first: a value the hardware cannot take, a route
// change while route changes are refused, or two outputs playing each other leave the state untouched.
#include "simcard/handle_table.h"
#include "simcard/live_file.h"
#include "simcard/message_result.h"
#include "simcard/state_file.h"

#include <cstdint>

namespace simcard {

// Carries out the message on the handle's device: a read on a copy of the state, a set under its lock.
// While serve runs, levels, lock rate and playback come from its live file; otherwise timeMs is the
// moment of the programme signal that a level read reports.
MessageResult PrivateMessage(HandleNumber handle, const CardDevice& device, win::UINT message,
                             win::DWORD_PTR param, StateFile& state, HandleTable& handles, LiveReader& live,
                             std::int64_t timeMs);

} // namespace simcard
