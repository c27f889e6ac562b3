// Renders the program's windows to PNG files for review: snapshot [output folder].
#include "app/about_box.h"
#include "app/mix_control_wnd.h"
#include "toolkit/application.h"
#include "toolkit/icons.h"
#include "app/process_state.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
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

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApplication(argc, argv);
    // The windows as they are designed: the user's saved window state and card stay out of it.
    QTemporaryDir home;
    if (!home.isValid()) return 1;
    qputenv("KOVA2_HOME", home.path().toLocal8Bit());
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("snapshots"));
    if (!QDir().mkpath(folder.path())) return 1;
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    app::TrayIcon = win::LoadIconA(0, "MIXERICON");
    bool saved = Save(application->CreateForm<app::TMixControlWnd>(), folder, QStringLiteral("control-window"));
    saved = Save(application->CreateForm<app::TAboutBox>(), folder, QStringLiteral("about-box")) && saved;
    return saved ? 0 : 1;
}
