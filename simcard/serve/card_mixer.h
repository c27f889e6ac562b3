#pragma once
// One card's signal work for one block: what reaches each output, sink and capture device, and the
// peaks where the card meters. All signals are float32 interleaved stereo; a span holds 2 x frames
// samples, and an empty input span is silence (an empty output span is not wanted).
//
// The model, the same as the programme signal's:
//   analog input   the analog source x gain (and mute); the analog capture device records it
//   digital input  the selected source (1 optical, 2 electrical, 3 CD) as it comes; the digital capture
//                  device records it. Whether it is locked is the server's business: an unconnected
//                  source is an empty span.
//   each output    its route's source: 0 the application playing into its playback device, 1 the other
//                  output as that one plays (after its volume and mute), 2 the analog input, 3 the
//                  digital input; plus the input monitored into it; then the analog output's volume
//                  and mute. The digital output has no volume.
//   monitoring     an input whose state record names this output (byte 1) and says when (byte 2: 1
//                  while recording, 2 while punch recording, which the server cannot tell apart from
//                  recording) is added while an application records from that input's capture device.
//   Non-Audio      the digital output carries its source's samples unchanged; nothing is mixed into
//                  it (that would corrupt the data).
//   peaks          0..32767, the block's maximum |sample| x 32767: inputs after gain and mute, outputs
//                  as they play.
#include "simcard/card_devices.h"
#include "simcard/hardware_state.h"
#include "simcard/stereo_level.h"

#include <array>
#include <cstddef>
#include <span>

namespace simcard::serve {

constexpr std::size_t kChannels = 2;

struct MixerInputs {
    std::span<const float> analogSource;  // the connected real source of the analog input
    std::span<const float> opticalSource; // the connected sources of the digital input's selects
    std::span<const float> electricalSource;
    std::span<const float> cdSource;
    std::span<const float> analogPlayback;  // applications playing into the analog output's device
    std::span<const float> digitalPlayback; // applications playing into the digital output's device
    bool analogRecording = false;           // an application records from the analog capture device
    bool digitalRecording = false;          // an application records from the digital capture device
};

struct MixerOutputs {
    std::span<float> analogOutput;  // to the real sink connected to the analog output
    std::span<float> digitalOutput; // to the real sink connected to the digital output
    std::span<float> analogCapture; // what applications record from the analog capture device
    std::span<float> digitalCapture;
};

struct BlockPeaks {
    StereoLevel analogInput;
    StereoLevel digitalInput;
    StereoLevel analogOutput;
    StereoLevel digitalOutput;

    // The peak at the device's metering point (its card is not looked at).
    StereoLevel At(const CardDevice& device) const;
};

class CardMixer {
public:
    // frames: the block's length; every non-empty span must hold 2 x frames samples (shorter input
    // spans read as silence past their end, shorter output spans are filled as far as they go).
    // Never allocates.
    BlockPeaks Process(const CardHardware& hardware, const MixerInputs& inputs, MixerOutputs& outputs,
                       std::size_t frames);
};

} // namespace simcard::serve
