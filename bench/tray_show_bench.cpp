// From the tray icon's double click to the control window on the screen, with the simulated card: the
// click goes through the tray host and the posted notification, the window restores its state from
// the registry store (reopening the channel windows that were open, argument: how many) and is shown.
#include "app/main_form.h"
#include "app/mix_control_window.h"
#include "app/process_state.h"
#include "controls/bilingual_controls.h"
#include "bench/private_home.h"
#include "platform/tray.h"
#include "platform/win_messages.h"
#include "toolkit/application.h"
#include "toolkit/icons.h"
#include "toolkit/tray_host.h"

#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace {

// A tray view that keeps the host's report, so the benchmark can click the icon.
class ClickableView : public tk::TrayView {
public:
    explicit ClickableView(MouseReport report) : report_(std::move(report)) {}
    void SetIcon(const QIcon&) override {}
    void SetTip(const QString&) override {}
    void DoubleClick() const { report_(win::WM_LBUTTONDBLCLK); }

private:
    MouseReport report_;
};

void TrayDoubleClickToControlWindowVisible(benchmark::State& state) {
    const ClickableView* view = nullptr;
    tk::TrayHost host([&view](const QIcon&, const QString&, tk::TrayView::MouseReport report) {
        auto made = std::make_unique<ClickableView>(std::move(report));
        view = made.get();
        return made;
    });
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    app::TrayIcon = win::LoadIconA(0, "MIXERICON");
    application->CreateForm<app::TfrmMain>();
    auto* control = application->CreateForm<app::TMixControlWnd>();
    win::NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = control->Handle();
    icon.uFlags = win::NIF_MESSAGE | win::NIF_ICON | win::NIF_TIP;
    icon.uCallbackMessage = win::WM_TRAYNOTIFY;
    icon.hIcon = app::TrayIcon;
    if (!win::Shell_NotifyIconA(win::NIM_ADD, &icon) || !view) {
        state.SkipWithError("the tray host took no icon");
        return;
    }
    control->Show();
    const char* const boxes[] = {"chkAnalogInputs", "chkDigitalInputs", "chkAnalogOutputs", "chkDigitalOutputs"};
    for (int i = 0; i < state.range(0); ++i)
        qobject_cast<controls::TExtCheckBox*>(control->FindComponent(QString::fromLatin1(boxes[i])))->SetChecked(true);
    control->Close(); // the boxes are saved ticked and reopen at every show
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        view->DoubleClick();
        while (!control->Widget()->isVisible()) application->ProcessMessages();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        control->Close();
    }
    win::Shell_NotifyIconA(win::NIM_DELETE, &icon);
    application.reset();
    win::DestroyIcon(app::TrayIcon);
    app::TrayIcon = 0;
}
BENCHMARK(TrayDoubleClickToControlWindowVisible)->Arg(0)->Arg(4)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->Iterations(20)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qtApplication(argc, argv);
    return RunBenchmarksInPrivateHome(argc, argv);
}
