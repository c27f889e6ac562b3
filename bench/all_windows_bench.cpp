// The whole program metering: the control window with all four channel windows open for four cards
// (32 meters), the message loop run for ten seconds, offscreen or on an X display. On a display with
// KOVA2_X_SERVER_PID set (bench/run does that under Xvfb) it also reads the X server's share. Target:
// < 1.5 % of one core for program and X server together (stretch < 1 %), peak RSS < 45 MiB. The counters
// beside it say where the time goes: how often the loop wakes, how often the process yields the core,
// and how many paints the windows get each second.
#include "bench/private_home.h"
#include "bench/process_cpu.h"
#include "tests/app/all_windows.h"
#include "tests/app/four_cards.h"
#include "toolkit/qt_platform.h"
#include "windows/channel_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <sys/resource.h>

namespace {

// Paint events the application delivers.
class PaintCounter : public QObject {
public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    long Paints() const { return paints_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints_;
        return false;
    }

private:
    long paints_ = 0;
};

rusage Usage() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage;
}

// The X server named by KOVA2_X_SERVER_PID, 0 for none.
pid_t XServer() {
    const char* pid = std::getenv("KOVA2_X_SERVER_PID");
    return pid ? pid_t(std::atol(pid)) : 0;
}

int MeteringWindows(const app::TMixControlWnd& control) {
    int metering = 0;
    for (const tk::TComponent* component : control.ComponentList())
        if (auto* window = qobject_cast<const windows::TChannelWindow*>(component))
            metering += window->Metering() ? 1 : 0;
    return metering;
}

void AllChannelWindowsMetering(benchmark::State& state) {
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    if (!FourCards()) {
        state.SkipWithError("the simulated card has no four cards");
        return;
    }
    auto* control = OpenAllChannelWindows(*application).control;
    application->ProcessMessages();

    const pid_t xServer = XServer();
    double share = 0, xShare = -1, seconds = 0;
    long wakeups = 0, switches = 0, paints = 0;
    for (auto _ : state) {
        PaintCounter counter;
        const long switchesBefore = Usage().ru_nvcsw;
        const double cpuStart = ProcessCpuSeconds();
        const double xStart = xServer ? ProcessCpuSeconds(xServer) : -1;
        QElapsedTimer wall;
        wall.start();
        while (wall.elapsed() < 10000) {
            application->HandleMessage();
            ++wakeups;
        }
        seconds = double(wall.nsecsElapsed()) / 1e9;
        share = (ProcessCpuSeconds() - cpuStart) / seconds;
        if (xStart >= 0) xShare = (ProcessCpuSeconds(xServer) - xStart) / seconds;
        switches = Usage().ru_nvcsw - switchesBefore;
        paints = counter.Paints();
    }
    state.counters["cpu_percent"] = 100 * share;
    if (xShare >= 0) {
        state.counters["x_server_cpu_percent"] = 100 * xShare;
        state.counters["with_x_server_cpu_percent"] = 100 * (share + xShare);
    }
    state.counters["peak_rss_mib"] = double(Usage().ru_maxrss) / 1024;
    state.counters["metering_windows"] = MeteringWindows(*control);
    state.counters["loop_wakeups_per_s"] = double(wakeups) / seconds;
    state.counters["context_switches_per_s"] = double(switches) / seconds;
    state.counters["paints_per_s"] = double(paints) / seconds;
    control->Close();
    application.reset();
    win::DestroyIcon(app::TrayIcon);
    app::TrayIcon = 0;
}
// Three runs, reported by their median: this machine's speed varies from one ten seconds to the next.
BENCHMARK(AllChannelWindowsMetering)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    tk::PrepareQtPlatform();
    QApplication qtApplication(argc, argv);
    return RunBenchmarksInPrivateHome(argc, argv);
}
