// The whole program metering: the control window with all four channel windows open for four cards
// (32 meters), and with the analog input window alone (8 meters), the message loop run for ten
// seconds, offscreen or on an X display. On a display with KOVA2_X_SERVER_PID set (bench/run does that
// under Xvfb) it also reads the X server's share. Targets: < 1 % of one core for program and X server
// together with all four windows, < 0.6 % with the analog input window, peak RSS < 40 MiB. The counters
// beside them say where the time goes: how often the loop and the timer thread wake, how often the
// program writes to the X server, and how many paints the windows get each second; the floor under
// them, the same ticks with nothing to draw; and how often any thread wakes once no window meters (never).
#include "bench/private_home.h"
#include "bench/process_cpu.h"
#include "tests/platform/thread_wakeups.h"
#include "bench/x_socket_writes.h"
#include "platform/mmsystem.h"
#include "platform/win_messages.h"
#include "tests/app/all_windows.h"
#include "tests/app/four_cards.h"
#include "toolkit/form.h"
#include "toolkit/message_queue.h"
#include "toolkit/qt_platform.h"
#include "windows/channel_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <sys/resource.h>

namespace {

constexpr qint64 kMeteringMs = 10000;
constexpr qint64 kIdleMs = 5000;
constexpr qint64 kSettleMs = 500;

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

long PeakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
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

// What one run of the loop while metering counts.
struct MeteringFigures {
    double seconds = 0, cpu = 0, xCpu = -1;
    long loopWakeups = 0, mainWakeups = 0, timerWakeups = 0, xWrites = 0, paints = 0;
};

// The loop run until a timer ends it, ms later.
void RunLoopFor(tk::TApplication& application, qint64 ms) {
    bool ended = false;
    QTimer::singleShot(ms, [&ended] { ended = true; });
    while (!ended) application.HandleMessage();
}

// Not inlined: bench/instructions counts what runs inside it.
[[gnu::noinline]] MeteringFigures RunMetering(tk::TApplication& application) {
    const pid_t xServer = XServer();
    const pid_t timerThread = ThreadNamed(platform::MultimediaTimerThreadName);
    PaintCounter counter;
    MeteringFigures figures;
    const long mainBefore = VoluntarySwitches(MainThread());
    const long timerBefore = VoluntarySwitches(timerThread);
    const long writesBefore = XSocketWrites();
    const double cpuStart = ProcessCpuSeconds();
    const double xStart = xServer ? ProcessCpuSeconds(xServer) : -1;
    QElapsedTimer wall;
    wall.start();
    while (wall.elapsed() < kMeteringMs) {
        application.HandleMessage();
        ++figures.loopWakeups;
    }
    figures.seconds = double(wall.nsecsElapsed()) / 1e9;
    figures.cpu = (ProcessCpuSeconds() - cpuStart) / figures.seconds;
    if (xStart >= 0) figures.xCpu = (ProcessCpuSeconds(xServer) - xStart) / figures.seconds;
    figures.mainWakeups = VoluntarySwitches(MainThread()) - mainBefore;
    figures.timerWakeups = VoluntarySwitches(timerThread) - timerBefore;
    figures.xWrites = XSocketWrites() - writesBefore;
    figures.paints = counter.Paints();
    return figures;
}

void Report(benchmark::State& state, const MeteringFigures& figures) {
    const double seconds = figures.seconds;
    state.counters["cpu_percent"] = 100 * figures.cpu;
    if (figures.xCpu >= 0) {
        state.counters["x_server_cpu_percent"] = 100 * figures.xCpu;
        state.counters["with_x_server_cpu_percent"] = 100 * (figures.cpu + figures.xCpu);
    }
    state.counters["peak_rss_mib"] = double(PeakRssKiB()) / 1024;
    state.counters["loop_wakeups_per_s"] = double(figures.loopWakeups) / seconds;
    state.counters["main_thread_wakeups_per_s"] = double(figures.mainWakeups) / seconds;
    state.counters["timer_thread_wakeups_per_s"] = double(figures.timerWakeups) / seconds;
    state.counters["x_socket_writes_per_s"] = double(figures.xWrites) / seconds;
    state.counters["paints_per_s"] = double(figures.paints) / seconds;
}

void CloseProgram(app::TMixControlWnd* control, tk::Owned<tk::TApplication>& application) {
    control->Close();
    application.reset();
    win::DestroyIcon(app::TrayIcon);
    app::TrayIcon = 0;
}

// The control window shown with the channel boxes named ticked, metering for ten seconds per run.
void MeteringWith(benchmark::State& state, ChannelBoxes boxes) {
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    if (!FourCards()) {
        state.SkipWithError("the simulated card has no four cards");
        return;
    }
    auto* control = OpenChannelWindows(*application, boxes).control;
    // The new windows' first exposures and paints come within this, not in the runs.
    RunLoopFor(*application, kSettleMs);
    if (MeteringWindows(*control) != int(boxes.size())) {
        state.SkipWithError("not exactly the channel windows named are metering");
        CloseProgram(control, application);
        return;
    }
    MeteringFigures figures;
    for (auto _ : state) figures = RunMetering(*application);
    Report(state, figures);
    state.counters["metering_windows"] = MeteringWindows(*control);
    CloseProgram(control, application);
}

void AllChannelWindowsMetering(benchmark::State& state) { MeteringWith(state, AllChannelBoxes); }
// Three runs, reported by their median: this machine's speed varies from one ten seconds to the next.
BENCHMARK(AllChannelWindowsMetering)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

void AnalogInputWindowMetering(benchmark::State& state) { MeteringWith(state, {"chkAnalogInputs"}); }
BENCHMARK(AnalogInputWindowMetering)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The floor under the metering rows: the same loop woken by a multimedia timer 25 times a second, the
// tick delivered to a window that does nothing with it. What the metering rows cost above it is reading
// levels and painting; the floor is the timer thread's and the loop's wake-ups on this machine.
void PostTick(win::UINT, win::UINT, win::DWORD_PTR window, win::DWORD_PTR, win::DWORD_PTR) {
    win::PostMessageA(win::HWND(window), win::WM_METERTICK, 0, 0);
}

void EmptyTicks(benchmark::State& state) {
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    auto* form = application->CreateForm<tk::TForm>();
    form->BindMessage(win::WM_METERTICK, [](tk::TMessage& message) { message.Result = 0; });
    const win::UINT timer =
        win::timeSetEvent(40, 40, PostTick, win::DWORD_PTR(form->Handle()), win::TIME_PERIODIC);
    MeteringFigures figures;
    for (auto _ : state) figures = RunMetering(*application);
    win::timeKillEvent(timer);
    Report(state, figures);
}
BENCHMARK(EmptyTicks)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

// Every channel window opened, metered and closed again, then five seconds of the loop: every thread's
// wake-ups but the one that ends the wait.
void NoWindowMetering(benchmark::State& state) {
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    if (!FourCards()) {
        state.SkipWithError("the simulated card has no four cards");
        return;
    }
    auto* control = OpenChannelWindows(*application).control;
    QElapsedTimer metering;
    metering.start();
    while (metering.elapsed() < 500) application->HandleMessage();
    TickChannelBoxes(control, false);
    // The closed windows' last events (the X server's notices, Qt's deferred work) come within this.
    RunLoopFor(*application, kSettleMs);
    long wakeups = 0;
    for (auto _ : state) {
        const long before = AllThreadsVoluntarySwitches();
        RunLoopFor(*application, kIdleMs);
        wakeups = AllThreadsVoluntarySwitches() - before - 1;
    }
    state.counters["metering_windows"] = MeteringWindows(*control);
    state.counters["wakeups_per_s"] = double(wakeups) / (double(kIdleMs) / 1000);
    CloseProgram(control, application);
}
BENCHMARK(NoWindowMetering)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    tk::PrepareQtPlatform();
    QApplication qtApplication(argc, argv);
    return RunBenchmarksInPrivateHome(argc, argv);
}
