#pragma once
// The card's wave driver: what the driver library's widMessage and wodMessage answer. Four devices per
// installed card, opened for control only; every message is traced.
#include "platform/wave_driver.h"
#include "simcard/card_devices.h"

namespace simcard {

// Never throws: a fault inside the card answers MMSYSERR_ERROR.
win::DWORD WaveDriverMessage(Direction direction, win::UINT device, win::UINT message,
                             win::DWORD_PTR instance, win::DWORD_PTR param1, win::DWORD_PTR param2);

} // namespace simcard
