// One private message through the card's wave entry point: the level read that every channel window
// sends ten times a second per card, and a fader move. The stand-in adds its routing on top.
#include "tests/simcard/wave_client.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace simcard;

void Message(benchmark::State& state, win::UINT message, win::DWORD_PTR param) {
    const ControlHandle handle(Direction::Input, AnalogDevice(0));
    handle.Send(wave_code::kStartInputMeter);
    for (auto _ : state) {
        if (handle.Send(message, param) != 0) {
            state.SkipWithError("the card refused the message");
            break;
        }
    }
}

void LevelRead(benchmark::State& state) {
    const HeapBlock level(8);
    Message(state, wave_code::kReadInputLevel, level.address());
}
BENCHMARK(LevelRead)->Repetitions(20)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void FaderMove(benchmark::State& state) {
    Message(state, wave_code::kSetGains, 0x64005F00);
}
BENCHMARK(FaderMove)->Repetitions(20)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

} // namespace

// The card's state and the heap go to a private folder, never to the user's.
int main(int argc, char** argv) {
    std::string home = (std::filesystem::temp_directory_path() / "kova2-bench-XXXXXX").string();
    if (!mkdtemp(home.data())) return 1;
    setenv("KOVA2_HOME", home.c_str(), 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
    return 0;
}
