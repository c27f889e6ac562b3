#pragma once
// The format that opens a device for control only: 16-bit stereo PCM at 44100 Hz with the four extra
// bytes "CTRL". The card streams no audio, so it accepts no other open.
#include "platform/mmsystem.h"

namespace simcard {

bool IsControlFormat(const win::WAVEFORMATEX& format);

} // namespace simcard
