// Wave device traffic through the stand-in: one private message round trip (a level read into a
// 16-bit block, target under 2 us median) and device discovery with four cards (target under 5 ms).
// Both run against the simulated card's driver (argument 0) and against a test driver that answers at
// once (argument 1), which shows what the stand-in itself costs; the level read also against the
// simulated card while serve runs (argument 2), its levels read from the live file.
#include "bench/private_home.h"
#include "driver/control_handles.h"
#include "driver/device_discovery.h"
#include "driver/message_records.h"
#include "driver/transfer_block.h"
#include "driver/wave_messages.h"
#include "platform/paths.h"
#include "simcard/live_file.h"
#include "tests/driver/card_devices.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <thread>

namespace {

enum Drivers { SimulatedCard, TestDriver, SimulatedCardWithServe };
const char* const DriversLabel[] = {"kova2.DRV", "test driver", "kova2.DRV with serve's live file"};

// What serve does to the live file: a block's peaks at every metering point and a heartbeat every 10 ms.
class ServeStandIn {
public:
    ServeStandIn() : thread_([this] { Run(); }) {}
    ~ServeStandIn() {
        running_ = false;
        thread_.join();
    }

private:
    void Run() {
        for (std::int32_t block = 0; running_; ++block) {
            for (int card = 0; card < 4; ++card)
                for (auto direction : {simcard::Direction::Input, simcard::Direction::Output})
                    for (auto kind : {simcard::DeviceKind::Analog, simcard::DeviceKind::Digital})
                        writer_.PublishPeak({direction, kind, card}, {block % 32768, block % 32768});
            writer_.Beat();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    simcard::LiveWriter writer_;
    std::atomic<bool> running_{true};
    std::thread thread_;
};

// A test driver with four cards' devices, beside the on-board device.
void InstallTestCards() {
    static TestWaveDriver testDriver("testwave_a.DRV");
    std::vector<TestWaveDevice> inputs, outputs;
    for (const char* numeral : {"I", "II", "III", "IV"}) {
        const TestCard card(numeral, 0x100);
        inputs.insert(inputs.end(), card.inputs.begin(), card.inputs.end());
        outputs.insert(outputs.end(), card.outputs.begin(), card.outputs.end());
    }
    testDriver.Configure(inputs, outputs);
    const auto list = platform::RuntimeDir() / "bench-wavedrivers.list";
    std::ofstream(list) << "onboard.DRV\ntestwave_a.DRV\n";
    platform::WaveDriverSet::Install(list);
}

// Installs four cards on the drivers chosen and finds them; false when they are not there.
bool UseFourCards(Drivers drivers) {
    if (drivers == TestDriver) {
        InstallTestCards();
    } else {
        static std::unique_ptr<ServeStandIn> serve;
        serve.reset(); // the one writer ends before another claims the file
        if (drivers == SimulatedCardWithServe) serve = std::make_unique<ServeStandIn>();
        const std::string tool = (platform::ExecutableDir() / "kova2-card").string() + " cards 4 >/dev/null";
        if (std::system(tool.c_str()) != 0) return false;
        platform::WaveDriverSet::Install();
    }
    driver::DiscoverDevices();
    return driver::CardCount == 4;
}

void LevelReadRoundTrip(benchmark::State& state) {
    const auto drivers = static_cast<Drivers>(state.range(0));
    if (!UseFourCards(drivers)) return state.SkipWithError("no four cards");
    state.SetLabel(std::string(DriversLabel[drivers]) + ", input message 0x403A");
    win::HWAVEIN handle = 0;
    driver::OpenInControl(0, driver::DeviceSlot(0, driver::KindAnalog), handle);
    driver::TransferBlock block(8, driver::BlockMapping::Fixed);
    win::waveInMessage(handle, driver::InStartMetering, 0, 0);
    if (drivers == SimulatedCardWithServe) { // the driver looks for the live file every 100 ms
        std::this_thread::sleep_for(simcard::LiveReader::kRecheckInterval * 2);
        if (simcard::ProcessLive().Status() != simcard::LiveStatus::Live)
            state.SkipWithError("serve not live");
    }
    for (auto _ : state) {
        win::waveInMessage(handle, driver::InGetLevels, block.Address(), 0);
        benchmark::DoNotOptimize(driver::ReadLevelBlock(block.Flat()));
    }
    win::waveInMessage(handle, driver::InStopMetering, 0, 0);
    win::waveInClose(handle);
}
BENCHMARK(LevelReadRoundTrip)
    ->Arg(SimulatedCard)
    ->Arg(TestDriver)
    ->Arg(SimulatedCardWithServe)
    ->Repetitions(20)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

void DiscoverFourCards(benchmark::State& state) {
    const auto drivers = static_cast<Drivers>(state.range(0));
    if (!UseFourCards(drivers)) return state.SkipWithError("no four cards");
    state.SetLabel(DriversLabel[drivers]);
    for (auto _ : state) {
        driver::DiscoverDevices();
        benchmark::DoNotOptimize(driver::CardDevNodes);
    }
    if (driver::CardCount != 4) state.SkipWithError("discovery lost cards");
}
BENCHMARK(DiscoverFourCards)
    ->Arg(SimulatedCard)
    ->Arg(TestDriver)
    ->Repetitions(20)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksInPrivateHome(argc, argv);
}
