// serve's signal work per 10 ms block at 48 kHz: four cards' mixers with every source and stream
// running, and one rate adapter carrying a 44.1 kHz stream to a 48 kHz sink.
#include "simcard/serve/card_mixer.h"
#include "simcard/serve/rate_adapter.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

using simcard::serve::kChannels;

constexpr std::size_t kBlockFrames = 480; // 10 ms at 48 kHz
constexpr int kCards = 4;

std::vector<float> Tone(std::size_t frames, double step) {
    std::vector<float> samples(frames * kChannels);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<float>(0.5 * std::sin(step * static_cast<double>(i / kChannels)));
    return samples;
}

// Every input connected, applications playing and recording, both inputs monitored.
void FourCardsMixOneBlock(benchmark::State& state) {
    const auto source = Tone(kBlockFrames, 0.13);
    std::vector<std::vector<float>> outputs(4, std::vector<float>(kBlockFrames * kChannels));
    std::vector<simcard::CardHardware> cards;
    for (int card = 0; card < kCards; ++card) {
        simcard::CardHardware hardware = simcard::DefaultHardware(card);
        hardware.outputVolume = {0x1999, 0x8000};
        hardware.digitalOutputSource = simcard::kSourceOtherOutput;
        hardware.analogInputState = {0, simcard::kMonitorToAnalogOut, 1};
        hardware.digitalInputState = {simcard::kInputOptical, simcard::kMonitorToAnalogOut, 1};
        cards.push_back(hardware);
    }
    const simcard::serve::MixerInputs inputs{source, source, source, source, source, source, true, true};
    simcard::serve::MixerOutputs mixed{outputs[0], outputs[1], outputs[2], outputs[3]};
    simcard::serve::CardMixer mixer;
    for (auto _ : state) {
        for (const auto& hardware : cards)
            benchmark::DoNotOptimize(mixer.Process(hardware, inputs, mixed, kBlockFrames));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(FourCardsMixOneBlock)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void RateAdapterOneBlock(benchmark::State& state) {
    simcard::serve::RateAdapter adapter(44100, 48000);
    const auto source = Tone(441, 0.14);
    std::vector<float> out(kBlockFrames * kChannels);
    adapter.Push(source.data(), 441);
    adapter.Push(source.data(), 441);
    for (auto _ : state) {
        adapter.Push(source.data(), 441);
        adapter.Pull(out.data(), kBlockFrames);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(RateAdapterOneBlock)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
