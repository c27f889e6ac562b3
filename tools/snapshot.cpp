// Renders the program's windows to PNG files for review: snapshot [--scale factor] [output folder].
// The channel windows are rendered for one to four cards of a simulated card kept in a private folder,
// so the pictures show the design's state and never the user's. Without --scale the windows are
// rendered at scale 1 and then, by the program run again, at 1.5 and 2 (name@1.5x.png, name@2x.png):
// Qt's scale is fixed for a run, and only a real scale draws the styled controls as a screen does.
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
#include <optional>

namespace {

// Where the pictures go, and what their names end in ("@1.5x" at that scale).
struct Pictures {
    QDir folder;
    QString suffix;
};

bool Save(tk::TForm* form, const Pictures& pictures, const QString& name) {
    form->Show();
    QApplication::processEvents();
    const QString path = pictures.folder.filePath(name + pictures.suffix + QStringLiteral(".png"));
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
bool SaveChannelWindow(int cards, app::TMixControlWnd* control, const Pictures& pictures, const char* name) {
    if (!SetCardCount(cards)) return false;
    driver::DiscoverDevices();
    auto* window = tk::CreateForm<Window>(control, *control);
    window->Show();
    window->SetWidth(QWIDGETSIZE_MAX);
    window->Perform(win::WM_LEVELPOLL, 0, 0);
    if (auto* rates = qobject_cast<tk::TTimer*>(window->FindComponent(QStringLiteral("RateTimer"))))
        rates->OnTimer()(rates);
    const bool saved = Save(window, pictures, QStringLiteral("%1-%2").arg(QLatin1String(name)).arg(cards));
    window->Close();
    window->Free();
    return saved;
}

// Each page of the first card's dialog, as the simulated card's settings show on it.
bool SaveSettingsPages(app::TMixControlWnd* control, const Pictures& pictures) {
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
        saved =
            Save(dialog.get(), pictures, QStringLiteral("settings-%1").arg(pages->Pages(index)->Name())) &&
            saved;
    }
    return saved;
}

// The same pictures at a screen's scale, by this program run again with --scale.
bool SaveAtScale(const QString& folder, const QString& scale) {
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--scale"), scale, folder});
    return run.waitForFinished(-1) && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
}

// Takes "--scale factor" off the front of the arguments: the factor, empty without the option, nothing
// for a factor outside 1 to 4.
std::optional<QString> TakeScaleOption(QStringList& arguments) {
    if (arguments.value(0) != QLatin1String("--scale")) return QString();
    const QString scale = arguments.value(1);
    const double factor = scale.toDouble();
    if (!(factor >= 1 && factor <= 4)) return std::nullopt;
    arguments.remove(0, 2);
    return scale;
}

bool SaveEveryWindow(tk::TApplication& application, const Pictures& pictures) {
    app::TrayIcon = win::LoadIconA(0, "MIXERICON");
    auto* control = application.CreateForm<app::TMixControlWnd>();
    bool saved = Save(control, pictures, QStringLiteral("control-window"));
    saved = Save(application.CreateForm<app::TAboutBox>(), pictures, QStringLiteral("about-box")) && saved;
    tk::Owned<tk::TForm> sample(tools::CreateControlSample());
    saved = Save(sample.get(), pictures, QStringLiteral("faders-and-meters")) && saved;
    for (int cards = 1; cards <= 4; ++cards) {
        saved = SaveChannelWindow<windows::TfrmAnalogInp>(cards, control, pictures, "analog-inputs") && saved;
        saved =
            SaveChannelWindow<windows::TfrmAnalogOut>(cards, control, pictures, "analog-outputs") && saved;
        saved = SaveChannelWindow<windows::TfrmDigInp>(cards, control, pictures, "digital-inputs") && saved;
        saved = SaveChannelWindow<windows::TfrmDigOut>(cards, control, pictures, "digital-outputs") && saved;
    }
    return SaveSettingsPages(control, pictures) && saved;
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int index = 1; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    const std::optional<QString> scale = TakeScaleOption(arguments);
    if (!scale) {
        std::fprintf(stderr, "snapshot: --scale takes a factor from 1 to 4\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", scale->isEmpty() ? QByteArray("1") : scale->toLatin1());
    // The windows as they are designed: the user's saved window state and card stay out of it.
    QTemporaryDir home;
    if (!home.isValid()) return 1;
    qputenv("KOVA2_HOME", home.path().toLocal8Bit());
    QApplication qtApplication(argc, argv);
    const QString folder = arguments.value(0, QStringLiteral("snapshots"));
    if (!QDir().mkpath(folder)) return 1;
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    const QString suffix = scale->isEmpty() ? QString() : QStringLiteral("@%1x").arg(*scale);
    bool saved = SaveEveryWindow(*application, Pictures{QDir(folder), suffix});
    if (scale->isEmpty()) {
        for (const char* factor : {"1.5", "2"})
            saved = SaveAtScale(folder, QLatin1String(factor)) && saved;
    }
    return saved ? 0 : 1;
}
