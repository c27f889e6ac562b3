// The analog and the digital input window for four simulated cards: creating and showing each
// (target < 100 ms), and what its metering costs while it runs (target: < 2 % of one core with both
// timers, the meters' painting and, in the digital window, the rate display, offscreen).
#include "bench/private_home.h"
#include "bench/process_cpu.h"
#include "tests/windows/fake_host.h"
#include "tests/app/four_cards.h"
#include "toolkit/application.h"
#include "windows/analog_input_window.h"
#include "windows/digital_input_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

template <class Window> void CreateAndShowFourCards(benchmark::State& state) {
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    auto* control = application->CreateForm<tk::TForm>();
    windows_test::FakeHost host(nullptr);
    if (!FourCards()) state.SkipWithError("the simulated card has no four cards");
    for (auto _ : state) {
        auto* window = tk::CreateForm<Window>(control, host);
        window->Show();
        QApplication::processEvents(); // painted once
        state.PauseTiming();
        window->Close();
        window->Free();
        application->ProcessMessages();
        state.ResumeTiming();
    }
}
BENCHMARK_TEMPLATE(CreateAndShowFourCards, windows::TfrmAnalogInp)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_TEMPLATE(CreateAndShowFourCards, windows::TfrmDigInp)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// One iteration runs the message loop for ten seconds; the counter is the program's CPU share.
template <class Window> void MeteringFourCards(benchmark::State& state) {
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    auto* control = application->CreateForm<tk::TForm>();
    windows_test::FakeHost host(nullptr);
    if (!FourCards()) state.SkipWithError("the simulated card has no four cards");
    auto* window = tk::CreateForm<Window>(control, host);
    window->Show();
    QApplication::processEvents();
    double share = 0;
    for (auto _ : state) {
        const double cpuStart = ProcessCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        while (wall.elapsed() < 10000) application->HandleMessage();
        share = (ProcessCpuSeconds() - cpuStart) / (double(wall.nsecsElapsed()) / 1e9);
    }
    state.counters["cpu_percent"] = 100 * share;
    state.counters["metering"] = window->Metering();
    window->Close();
    window->Free();
}
BENCHMARK_TEMPLATE(MeteringFourCards, windows::TfrmAnalogInp)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK_TEMPLATE(MeteringFourCards, windows::TfrmDigInp)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qtApplication(argc, argv);
    return RunBenchmarksInPrivateHome(argc, argv);
}
