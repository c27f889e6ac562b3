#include "simcard/serve/card_mixer.h"

#include "simcard/serve/gain_law.h"

#include <algorithm>
#include <cmath>

namespace simcard::serve {
namespace {

constexpr std::size_t kChunkFrames = 256; // blocks are mixed in pieces of this many frames
constexpr std::size_t kChunkSamples = kChunkFrames * kChannels;

using Chunk = std::array<float, kChunkSamples>;
using ChannelFactors = std::array<float, kChannels>;

// Samples [offset, offset + count) of the span, silence where it has none.
void Load(std::span<const float> from, std::size_t offset, std::size_t count, float* to) {
    const std::size_t available = offset < from.size() ? std::min(count, from.size() - offset) : 0;
    std::copy_n(from.data() + offset, available, to);
    std::fill(to + available, to + count, 0.0f);
}

void Store(const float* from, std::size_t offset, std::size_t count, std::span<float> to) {
    const std::size_t room = offset < to.size() ? std::min(count, to.size() - offset) : 0;
    std::copy_n(from, room, to.data() + offset);
}

// count: whole frames' samples. A frame at a time, so that the compiler keeps both factors at hand.
void Scale(float* samples, std::size_t count, const ChannelFactors& factors) {
    for (std::size_t i = 0; i < count; i += kChannels) {
        samples[i] *= factors[0];
        samples[i + 1] *= factors[1];
    }
}

void Add(float* to, const float* from, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        to[i] += from[i];
}

// The largest |sample| per channel seen so far in the block.
struct PeakMeter {
    ChannelFactors peak{};

    // count: whole frames' samples.
    void Measure(const float* samples, std::size_t count) {
        float left = peak[0];
        float right = peak[1];
        for (std::size_t i = 0; i < count; i += kChannels) {
            left = std::max(left, std::fabs(samples[i])); // NaN never counts: it compares false
            right = std::max(right, std::fabs(samples[i + 1]));
        }
        peak = {left, right};
    }

    StereoLevel Level() const {
        auto level = [](float amplitude) {
            return static_cast<std::int32_t>(std::lround(std::min(amplitude, 1.0f) * kLevelFullScale));
        };
        return {level(peak[0]), level(peak[1])};
    }
};

// Whether the input state record sends the input into the output now.
bool Monitors(const std::array<std::uint8_t, 3>& inputState, bool recording, std::uint8_t destination) {
    const bool whileRecording =
        inputState[2] != kMonitorNever && inputState[2] <= kMonitorWhilePunchRecording;
    return whileRecording && recording && inputState[1] == destination;
}

// One chunk's signals, from the inputs to what each output plays.
struct ChunkSignals {
    Chunk analogInput;
    Chunk digitalInput;
    Chunk analogOutput;
    Chunk digitalOutput;
};

class ChunkMixer {
public:
    ChunkMixer(const CardHardware& hardware, const MixerInputs& inputs)
        : hardware_(hardware),
          inputs_(inputs), gain_{InputGainFactor(hardware.inputGain[0], hardware.inputMute[0]),
                                 InputGainFactor(hardware.inputGain[1], hardware.inputMute[1])},
          volume_{OutputVolumeFactor(hardware.outputVolume[0], hardware.outputMute[0]),
                  OutputVolumeFactor(hardware.outputVolume[1], hardware.outputMute[1])} {}

    void Mix(std::size_t offset, std::size_t count, ChunkSignals& signals) const {
        Load(inputs_.analogSource, offset, count, signals.analogInput.data());
        Scale(signals.analogInput.data(), count, gain_);
        Load(SelectedDigitalSource(), offset, count, signals.digitalInput.data());
        // An output that plays the other output is mixed after it; two playing each other hear nothing.
        if (hardware_.analogOutputSource == kSourceOtherOutput) {
            MixDigitalOutput(offset, count, signals, nullptr);
            MixAnalogOutput(offset, count, signals, signals.digitalOutput.data());
        } else {
            MixAnalogOutput(offset, count, signals, nullptr);
            MixDigitalOutput(offset, count, signals, signals.analogOutput.data());
        }
    }

private:
    std::span<const float> SelectedDigitalSource() const {
        switch (hardware_.digitalInputState[0]) {
        case kInputOptical:
            return inputs_.opticalSource;
        case kInputElectrical:
            return inputs_.electricalSource;
        case kInputCd:
            return inputs_.cdSource;
        default:
            return {};
        }
    }

    // The output's source into to; otherOutput is the other output as it plays, or null while it
    // is not mixed yet.
    void Play(std::uint8_t source, std::span<const float> application, const float* otherOutput,
              const ChunkSignals& signals, std::size_t offset, std::size_t count, float* to) const {
        switch (source) {
        case kSourceApplication:
            Load(application, offset, count, to);
            return;
        case kSourceAnalogInput:
            std::copy_n(signals.analogInput.data(), count, to);
            return;
        case kSourceDigitalInput:
            std::copy_n(signals.digitalInput.data(), count, to);
            return;
        case kSourceOtherOutput:
            if (otherOutput) {
                std::copy_n(otherOutput, count, to);
                return;
            }
            break;
        }
        std::fill_n(to, count, 0.0f);
    }

    void AddMonitoring(std::uint8_t destination, const ChunkSignals& signals, std::size_t count,
                       float* to) const {
        if (Monitors(hardware_.analogInputState, inputs_.analogRecording, destination))
            Add(to, signals.analogInput.data(), count);
        if (Monitors(hardware_.digitalInputState, inputs_.digitalRecording, destination))
            Add(to, signals.digitalInput.data(), count);
    }

    void MixAnalogOutput(std::size_t offset, std::size_t count, ChunkSignals& signals,
                         const float* other) const {
        float* out = signals.analogOutput.data();
        Play(hardware_.analogOutputSource, inputs_.analogPlayback, other, signals, offset, count, out);
        AddMonitoring(kMonitorToAnalogOut, signals, count, out);
        Scale(out, count, volume_);
    }

    // The digital output has no volume; Non-Audio data passes untouched.
    void MixDigitalOutput(std::size_t offset, std::size_t count, ChunkSignals& signals,
                          const float* other) const {
        float* out = signals.digitalOutput.data();
        Play(hardware_.digitalOutputSource, inputs_.digitalPlayback, other, signals, offset, count, out);
        if (hardware_.digitalFormat != kFormatNonAudio)
            AddMonitoring(kMonitorToDigitalOut, signals, count, out);
    }

    const CardHardware& hardware_;
    const MixerInputs& inputs_;
    ChannelFactors gain_;
    ChannelFactors volume_;
};

} // namespace

StereoLevel BlockPeaks::At(const CardDevice& device) const {
    const bool analog = device.kind == DeviceKind::Analog;
    if (device.direction == Direction::Input) return analog ? analogInput : digitalInput;
    return analog ? analogOutput : digitalOutput;
}

BlockPeaks CardMixer::Process(const CardHardware& hardware, const MixerInputs& inputs, MixerOutputs& outputs,
                              std::size_t frames) {
    const ChunkMixer mixer(hardware, inputs);
    ChunkSignals signals;
    std::array<PeakMeter, 4> meters; // analog in, digital in, analog out, digital out
    const std::size_t samples = frames * kChannels;
    for (std::size_t offset = 0; offset < samples; offset += kChunkSamples) {
        const std::size_t count = std::min(kChunkSamples, samples - offset);
        mixer.Mix(offset, count, signals);
        meters[0].Measure(signals.analogInput.data(), count);
        meters[1].Measure(signals.digitalInput.data(), count);
        meters[2].Measure(signals.analogOutput.data(), count);
        meters[3].Measure(signals.digitalOutput.data(), count);
        Store(signals.analogInput.data(), offset, count, outputs.analogCapture);
        Store(signals.digitalInput.data(), offset, count, outputs.digitalCapture);
        Store(signals.analogOutput.data(), offset, count, outputs.analogOutput);
        Store(signals.digitalOutput.data(), offset, count, outputs.digitalOutput);
    }
    return {meters[0].Level(), meters[1].Level(), meters[2].Level(), meters[3].Level()};
}

} // namespace simcard::serve
