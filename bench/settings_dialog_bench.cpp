// A drag of the settings dialog's GSIF track bars against the simulated card: every position passed
// sends one on-the-fly configuration call, so a move costs one call round trip and nothing more
// (target: median under 5 ms per move, as a single call).
#include "bench/private_home.h"
#include "controls/child_window_host.h"
#include "driver/config_call.h"
#include "driver/config_records.h"
#include "settings/config_dialog.h"
#include "toolkit/application.h"
#include "toolkit/track_bar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSlider>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

// One iteration drags the preload bar from 8 up to 50 and back, then the kerning bar over its range:
// 84 + 6 moves, each one call.
constexpr int kMovesPerDrag = 90;

// The dialog reports its close and shows the about box through its host; a drag needs neither.
class IdleHost : public controls::ChildWindowHost {
public:
    tk::TForm* AboutBox() const override { return nullptr; }
    void ChildClosed(tk::TForm*) override {}
};

void Move(tk::TTrackBar* bar, int position) { static_cast<QSlider*>(bar->Widget())->setValue(position); }

void DragGsifBars(benchmark::State& state) {
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    auto* control = application->CreateForm<tk::TForm>();
    IdleHost host;
    driver::ConfigArray config{};
    if (!driver::DriverConfigCall(driver::ConfigGetConfig, &config, sizeof config))
        state.SkipWithError("the simulated card does not answer");
    auto* dialog = tk::CreateForm<settings::TdlgCfg>(control, host, config, 0, 2);
    dialog->Show();
    auto* preload = qobject_cast<tk::TTrackBar*>(dialog->FindComponent(QStringLiteral("tckPreload")));
    auto* kerning = qobject_cast<tk::TTrackBar*>(dialog->FindComponent(QStringLiteral("tckKerning")));
    QElapsedTimer elapsed;
    elapsed.start();
    for (auto _ : state) {
        for (int position = 9; position <= 50; ++position) Move(preload, position);
        for (int position = 49; position >= 8; --position) Move(preload, position);
        for (int position : {0, 1, 2, 3, 2, 1}) Move(kerning, position);
    }
    state.counters["ms_per_move"] = double(elapsed.nsecsElapsed()) / 1e6 / double(state.iterations() * kMovesPerDrag);
    dialog->Free();
}
BENCHMARK(DragGsifBars)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qtApplication(argc, argv);
    return RunBenchmarksInPrivateHome(argc, argv);
}
