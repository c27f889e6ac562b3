// One configuration call round trip: two 16-bit blocks, the rundll host process, the driver's entry,
// the status wait and the copy back. Reported as the median of 100 single calls.
#include "bench/private_home.h"
#include "driver/config_call.h"
#include "driver/config_records.h"
#include "platform/paths.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// The real driver library when it is built beside us, else the test library's answering entry.
driver::ConfigCallTarget BenchTarget() {
    if (std::filesystem::exists(platform::ExecutableDir() / driver::ConfigCallTarget{}.library)) return {};
    return {"kova2_testentry.so", "Answer"};
}

void ConfigCallRoundTrip(benchmark::State& state) {
    driver::ConfigCallOptions options;
    options.target = BenchTarget();
    driver::SetConfigCallOptions(options);
    state.SetLabel(options.target.library + "," + options.target.entry + " getstates");
    for (auto _ : state) {
        driver::DriverStates states;
        if (!driver::DriverConfigCall(driver::ConfigGetStates, &states, sizeof states)) {
            state.SkipWithError("the configuration call failed");
            break;
        }
        benchmark::DoNotOptimize(states);
    }
}
BENCHMARK(ConfigCallRoundTrip)
    ->Iterations(1)
    ->Repetitions(100)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksInPrivateHome(argc, argv);
}
