// From the program's start to its tray icon in place, with the simulated card: the driver's states
// through a configuration call, the three permanent windows read from their descriptions, the icon.
#include "app/startup.h"
#include "bench/private_home.h"
#include "platform/tray.h"
#include "platform/win_messages.h"
#include "toolkit/application.h"
#include "toolkit/message_queue.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>

namespace {

// Takes the icon, notes when it came and asks the program to end once the loop runs.
class StopwatchTray : public platform::TrayHost {
public:
    bool AddIcon(const win::NOTIFYICONDATAA&) override {
        added = std::chrono::steady_clock::now();
        win::PostMessageA(tk::Application()->MainForm()->Handle(), win::WM_ENDSESSION, 1, 0);
        return true;
    }
    bool ModifyIcon(const win::NOTIFYICONDATAA&) override { return true; }
    bool DeleteIcon(win::HWND, win::UINT) override { return true; }

    std::chrono::steady_clock::time_point added;
};

void StartToTrayIcon(benchmark::State& state) {
    StopwatchTray tray;
    platform::SetTrayHost(&tray);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        tk::Owned<tk::TApplication> application(new tk::TApplication);
        application->SetTitle(QStringLiteral("Kova 2 Manager"));
        app::RunStartup();
        state.SetIterationTime(std::chrono::duration<double>(tray.added - start).count());
    }
    platform::SetTrayHost(nullptr);
}
BENCHMARK(StartToTrayIcon)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(20)->Iterations(1)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qtApplication(argc, argv);
    return RunBenchmarksInPrivateHome(argc, argv);
}
