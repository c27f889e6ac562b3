// Renders the program's windows to PNG files for review: snapshot [output folder]. The channel windows
// are rendered for one to four cards of a simulated card kept in a private folder, so the pictures
// show the design's state and never the user's.
#include "app/about_box.h"
#include "app/mix_control_window.h"
#include "app/process_state.h"
#include "driver/config_call.h"
#include "driver/config_records.h"
#include "driver/device_discovery.h"
#include "platform/paths.h"
#include "platform/win_messages.h"
#include "settings/config_dialog.h"
#include "toolkit/application.h"
#include "toolkit/icons.h"
#include "toolkit/page_control.h"
#include "toolkit/timer.h"
#include "tools/control_sample.h"
#include "windows/analog_input_window.h"
#include "windows/analog_output_window.h"
#include "windows/digital_input_window.h"
#include "windows/digital_output_window.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>

namespace {

bool Save(tk::TForm* form, const QDir& folder, const QString& name) {
    form->Show();
    QApplication::processEvents();
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    const bool saved = form->Widget()->window()->grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

bool RunCardTool(const QStringList& arguments) {
    const QString tool = QString::fromStdString((platform::ExecutableDir() / "kova2-card").string());
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(tool, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Every card plays an application, so that the output windows' meters show something.
bool SetCardCount(int cards) {
    bool set = RunCardTool({QStringLiteral("cards"), QString::number(cards)});
    for (int card = 1; card <= cards; ++card)
        set = RunCardTool({QStringLiteral("playback"), QString::number(card), QStringLiteral("on")}) && set;
    return set;
}

// The window as wide as it may be, its meters showing a moment of the card's programme and the
// digital inputs' rates as their timer's first tick shows them.
template <class Window>
bool SaveChannelWindow(int cards, app::TMixControlWnd* control, const QDir& folder, const char* name) {
    if (!SetCardCount(cards)) return false;
    driver::DiscoverDevices();
    auto* window = tk::CreateForm<Window>(control, *control);
    window->Show();
    window->SetWidth(QWIDGETSIZE_MAX);
    window->Perform(win::WM_LEVELPOLL, 0, 0);
    if (auto* rates = qobject_cast<tk::TTimer*>(window->FindComponent(QStringLiteral("RateTimer"))))
        rates->OnTimer()(rates);
    const bool saved = Save(window, folder, QStringLiteral("%1-%2").arg(QLatin1String(name)).arg(cards));
    window->Close();
    window->Free();
    return saved;
}

// Each page of the first card's dialog, as the simulated card's settings show on it.
bool SaveSettingsPages(app::TMixControlWnd* control, const QDir& folder) {
    if (!SetCardCount(2)) return false;
    driver::DiscoverDevices();
    driver::ConfigArray config{};
    if (!driver::DriverConfigCall(driver::ConfigGetConfig, &config, sizeof config)) return false;
    tk::Owned<settings::TdlgCfg> dialog(
        tk::CreateForm<settings::TdlgCfg>(control, *control, config, 0, driver::CardCount));
    auto* pages = qobject_cast<tk::TPageControl*>(dialog->FindComponent(QStringLiteral("pgMain")));
    if (!pages) return false;
    bool saved = true;
    for (int index = 0; index < pages->PageCount(); ++index) {
        pages->SetActivePage(pages->Pages(index));
        saved = Save(dialog.get(), folder, QStringLiteral("settings-%1").arg(pages->Pages(index)->Name())) && saved;
    }
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The windows as they are designed: the user's saved window state and card stay out of it.
    QTemporaryDir home;
    if (!home.isValid()) return 1;
    qputenv("KOVA2_HOME", home.path().toLocal8Bit());
    QApplication qtApplication(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("snapshots"));
    if (!QDir().mkpath(folder.path())) return 1;
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    app::TrayIcon = win::LoadIconA(0, "MIXERICON");
    auto* control = application->CreateForm<app::TMixControlWnd>();
    bool saved = Save(control, folder, QStringLiteral("control-window"));
    saved = Save(application->CreateForm<app::TAboutBox>(), folder, QStringLiteral("about-box")) && saved;
    tk::Owned<tk::TForm> sample(tools::CreateControlSample());
    saved = Save(sample.get(), folder, QStringLiteral("faders-and-meters")) && saved;
    for (int cards = 1; cards <= 4; ++cards) {
        saved = SaveChannelWindow<windows::TfrmAnalogInp>(cards, control, folder, "analog-inputs") && saved;
        saved = SaveChannelWindow<windows::TfrmAnalogOut>(cards, control, folder, "analog-outputs") && saved;
        saved = SaveChannelWindow<windows::TfrmDigInp>(cards, control, folder, "digital-inputs") && saved;
        saved = SaveChannelWindow<windows::TfrmDigOut>(cards, control, folder, "digital-outputs") && saved;
    }
    saved = SaveSettingsPages(control, folder) && saved;
    return saved ? 0 : 1;
}
