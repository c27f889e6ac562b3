// Wave device traffic through the stand-in: one private message round trip (a level read into a
// 16-bit block, target under 2 us median) and device discovery with four cards (target under 5 ms).
// Both run against the simulated card when its driver has wave devices, else against a test driver
// with four cards' devices; the label says which.
#include "driver/control_handles.h"
#include "driver/device_discovery.h"
#include "driver/message_records.h"
#include "driver/transfer_block.h"
#include "driver/wave_messages.h"
#include "platform/paths.h"
#include "tests/driver/card_devices.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

// Four cards on the simulated card's driver, or on a test driver in its place.
class FourCards {
public:
    FourCards() {
        const std::string tool = (platform::ExecutableDir() / "kova2-card").string() + " cards 4 >/dev/null";
        if (std::system(tool.c_str()) == 0 && Discovered()) {
            label_ = "kova2.DRV";
            return;
        }
        testDriver_ = std::make_unique<TestWaveDriver>("testwave_a.DRV");
        std::vector<TestWaveDevice> inputs, outputs;
        for (const char* numeral : {"I", "II", "III", "IV"}) {
            const TestCard card(numeral, 0x100);
            inputs.insert(inputs.end(), card.inputs.begin(), card.inputs.end());
            outputs.insert(outputs.end(), card.outputs.begin(), card.outputs.end());
        }
        testDriver_->Configure(inputs, outputs);
        testList_ = std::make_unique<InstalledTestDrivers>(
            std::initializer_list<std::string>{"onboard.DRV", "testwave_a.DRV"});
        label_ = Discovered() ? "test driver" : "no cards";
    }
    const std::string& Label() const { return label_; }
    bool Ready() const { return driver::CardCount == 4; }

private:
    static bool Discovered() {
        driver::DiscoverDevices();
        return driver::CardCount == 4;
    }
    std::unique_ptr<TestWaveDriver> testDriver_;
    std::unique_ptr<InstalledTestDrivers> testList_;
    std::string label_;
};

FourCards& Cards() {
    static FourCards cards;
    return cards;
}

void LevelReadRoundTrip(benchmark::State& state) {
    if (!Cards().Ready()) return state.SkipWithError("no cards");
    state.SetLabel(Cards().Label() + ", input message 0x403A");
    win::HWAVEIN handle = 0;
    driver::OpenInControl(0, driver::DeviceSlot(0, driver::KindAnalog), handle);
    driver::TransferBlock block(8, driver::BlockMapping::Fixed);
    for (auto _ : state) {
        win::waveInMessage(handle, driver::InGetLevels, block.Address(), 0);
        benchmark::DoNotOptimize(driver::ReadLevelBlock(block.Flat()));
    }
    win::waveInClose(handle);
}
BENCHMARK(LevelReadRoundTrip)->Repetitions(20)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void DiscoverFourCards(benchmark::State& state) {
    if (!Cards().Ready()) return state.SkipWithError("no cards");
    state.SetLabel(Cards().Label());
    for (auto _ : state) {
        driver::DiscoverDevices();
        benchmark::DoNotOptimize(driver::CardDevNodes);
    }
    if (driver::CardCount != 4) state.SkipWithError("discovery lost cards");
}
BENCHMARK(DiscoverFourCards)
    ->Repetitions(20)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

// The card's state, the heap and the trace go to a private folder, never to the user's.
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
