// One configuration call round trip: two 16-bit blocks, the rundll host process, the driver's entry,
// the status wait and the copy back. Reported as the median of 100 single calls; and the same call with
// the host's own files dropped from the page cache first, as after a boot (shared system libraries stay
// cached: the desktop has them mapped).
#include "bench/private_home.h"
#include "driver/config_call.h"
#include "driver/config_records.h"
#include "platform/paths.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

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

// Asks the kernel to forget the cached pages of the files the host reads beside it.
void DropHostFilesFromCache() {
    for (const char* name : {"rundll", "kova2.DRV", "libkova2_platform.so", "libkova2_simcard.so"}) {
        const int fd = open((platform::ExecutableDir() / name).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        fdatasync(fd);
        posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        close(fd);
    }
}

void ColdConfigCall(benchmark::State& state) {
    driver::ConfigCallOptions options;
    options.target = BenchTarget();
    state.SetLabel(options.target.library + "," + options.target.entry + " getstates, host files not cached");
    for (auto _ : state) {
        state.PauseTiming();
        driver::SetConfigCallOptions(options);
        DropHostFilesFromCache();
        state.ResumeTiming();
        driver::DriverStates states;
        if (!driver::DriverConfigCall(driver::ConfigGetStates, &states, sizeof states)) {
            state.SkipWithError("the configuration call failed");
            break;
        }
    }
}
BENCHMARK(ColdConfigCall)
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksInPrivateHome(argc, argv);
}
