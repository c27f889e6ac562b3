#include "simcard/programme_signal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace simcard {
namespace {

using Channels = std::array<double, 2>; // amplitude per channel, 1 = full scale

// Music of one source: its own seed and tempo.
struct Programme {
    std::uint64_t seed;
    std::int64_t beatMs; // ms per beat
};

constexpr std::int64_t kBeatsPerBar = 4;
constexpr std::int64_t kBeatsPerPhrase = 32; // eight bars; the last two beats are a break
constexpr std::int64_t kBreakBeats = 2;
constexpr std::int64_t kRightChannelLagMs = 23; // keeps the channels apart like a stereo mix
constexpr std::int64_t kFlickerMs = 20;         // the grain of the small movements within a beat
constexpr double kHitDecay = 5.0;               // per beat
constexpr double kBody = 0.3;                   // share of a hit that rings through the beat

constexpr std::uint64_t Mix(std::uint64_t value) {
    value += 0x9E3779B97F4A7C15ull;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

// Uniform in [0, 1) for a seed and a count.
double Random(std::uint64_t seed, std::int64_t count) {
    return static_cast<double>(Mix(seed ^ Mix(static_cast<std::uint64_t>(count))) >> 11) * 0x1.0p-53;
}

double FromDb(double db) {
    return std::pow(10.0, db / 20.0);
}

double BeatPeakDb(std::uint64_t seed, std::int64_t beat) {
    const std::int64_t inBar = beat % kBeatsPerBar;
    const double accent = inBar == 0 ? 3.0 : inBar == 2 ? 1.5 : 0.0;
    const bool inBreak = beat % kBeatsPerPhrase >= kBeatsPerPhrase - kBreakBeats;
    return -10.0 + 7.0 * Random(seed, beat) + accent - (inBreak ? 18.0 : 0.0);
}

double ProgrammeAmplitude(const Programme& programme, int channel, std::int64_t timeMs) {
    const std::uint64_t seed = Mix(programme.seed + static_cast<std::uint64_t>(channel));
    // Wraps at the end of the clock's range rather than overflowing: any moment has a programme.
    const auto t = static_cast<std::int64_t>(static_cast<std::uint64_t>(timeMs) +
                                             static_cast<std::uint64_t>(channel * kRightChannelLagMs));
    const std::int64_t beat = t / programme.beatMs;
    const double phase = static_cast<double>(t % programme.beatMs) / static_cast<double>(programme.beatMs);
    const double phraseMs = static_cast<double>(kBeatsPerPhrase * programme.beatMs);
    const double swellDb =
        -6.0 * (0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(t) / phraseMs));
    const double hit = kBody + (1.0 - kBody) * std::exp(-kHitDecay * phase);
    const double flicker = 0.92 + 0.08 * Random(seed ^ 0xF11C, t / kFlickerMs);
    return FromDb(BeatPeakDb(seed, beat) + swellDb) * hit * flicker;
}

Channels Play(const Programme& programme, std::int64_t timeMs) {
    return {ProgrammeAmplitude(programme, 0, timeMs), ProgrammeAmplitude(programme, 1, timeMs)};
}

constexpr Channels kSilence = {0.0, 0.0};

std::uint64_t CardSeed(int card, std::uint64_t source) {
    return Mix(static_cast<std::uint64_t>(card) * 0x100 + source);
}

double GainFactor(std::uint16_t word) {
    return FromDb(InputGainDb(word));
}

// Standard wave volume, read as fader positions 4..127 of half a dB each below full volume.
double VolumeFactor(std::uint16_t word) {
    if (word == 0) return 0.0;
    const double position = std::clamp(word / 512.0, 4.0, 127.0);
    return FromDb((position - 127.0) / 2.0);
}

Channels AnalogInput(const CardHardware& hardware, int card, std::int64_t timeMs) {
    Channels signal = Play({CardSeed(card, 1), 500}, timeMs);
    for (int channel = 0; channel < 2; ++channel) {
        signal[channel] *= hardware.inputMute[channel] ? 0.0 : GainFactor(hardware.inputGain[channel]);
    }
    return signal;
}

// Each input select (optical, electrical, CD) brings music of its own.
Channels DigitalInput(const CardHardware& hardware, int card, std::int64_t timeMs) {
    if (hardware.lockRate == 0) return kSilence;
    return Play({CardSeed(card, 2 + hardware.digitalInputState[0]), 625}, timeMs);
}

Channels Application(const CardHardware& hardware, int card, std::int64_t timeMs) {
    if (!hardware.playbackRunning) return kSilence;
    return Play({CardSeed(card, 8), 469}, timeMs);
}

// hops bounds the chain of outputs playing each other, which the card refuses to close into a loop.
Channels Output(const CardHardware& hardware, int card, DeviceKind kind, std::int64_t timeMs, int hops) {
    const bool analog = kind == DeviceKind::Analog;
    Channels signal = kSilence;
    switch (analog ? hardware.analogOutputSource : hardware.digitalOutputSource) {
    case kSourceApplication:
        signal = Application(hardware, card, timeMs);
        break;
    case kSourceOtherOutput:
        if (hops > 0) {
            signal =
                Output(hardware, card, analog ? DeviceKind::Digital : DeviceKind::Analog, timeMs, hops - 1);
        }
        break;
    case kSourceAnalogInput:
        signal = AnalogInput(hardware, card, timeMs);
        break;
    case kSourceDigitalInput:
        signal = DigitalInput(hardware, card, timeMs);
        break;
    }
    if (!analog) return signal;
    for (int channel = 0; channel < 2; ++channel) {
        signal[channel] *= hardware.outputMute[channel] ? 0.0 : VolumeFactor(hardware.outputVolume[channel]);
    }
    return signal;
}

std::int32_t Level(double amplitude) {
    return static_cast<std::int32_t>(std::lround(std::clamp(amplitude, 0.0, 1.0) * kLevelFullScale));
}

} // namespace

StereoLevel DeviceLevel(const CardHardware& hardware, const CardDevice& device, std::int64_t timeMs) {
    timeMs = std::max<std::int64_t>(timeMs, 0);
    Channels signal = kSilence;
    if (device.direction == Direction::Output) {
        signal = Output(hardware, device.card, device.kind, timeMs, 1);
    } else if (device.kind == DeviceKind::Analog) {
        signal = AnalogInput(hardware, device.card, timeMs);
    } else {
        signal = DigitalInput(hardware, device.card, timeMs);
    }
    return {Level(signal[0]), Level(signal[1])};
}

} // namespace simcard
