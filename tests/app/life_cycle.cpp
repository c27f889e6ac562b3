// The program's whole life in one process, for memcheck: start with four cards, open every window and
// meter, change settings in the dialog, close, show again, then remove a card, which ends the program.
// Exit 0 when every step did what it should; memcheck judges the memory.
#include "driver/device_tables.h"
#include "platform/win_messages.h"
#include "platform/win_records.h"
#include "tests/app/all_windows.h"
#include "tests/app/four_cards.h"
#include "tests/driver/message_box_capture.h"
#include "toolkit/button.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

bool failed = false;

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "life cycle: %s\n", what);
    failed = true;
}

template <class Component> Component* Find(tk::TComponent* owner, const char* name) {
    return qobject_cast<Component*>(owner->FindComponent(QString::fromLatin1(name)));
}

void RunFor(tk::TApplication& application, int milliseconds) {
    QElapsedTimer wall;
    wall.start();
    while (wall.elapsed() < milliseconds) application.ProcessMessages();
}

int OpenChannelWindows(tk::TForm* control) {
    int open = 0;
    for (const tk::TComponent* component : control->ComponentList())
        if (qobject_cast<const tk::TForm*>(component)) ++open;
    return open;
}

// Two boxes of the dialog turned over, then OK: the dialog writes the card and closes.
void ChangeSettings(tk::TApplication& application, tk::TForm* control) {
    Find<controls::TExtCheckBox>(control, "chkSettings")->SetChecked(true);
    Check(app::SettingsDialog != nullptr, "the settings dialog did not open");
    Check(OpenChannelWindows(control) == 1, "the channel windows stayed open beside the settings dialog");
    if (!app::SettingsDialog) return;
    for (const char* name : {"chkWriteIsPlayCursor", "chkNoMsgRate"}) {
        auto* box = Find<controls::TExtCheckBox>(app::SettingsDialog, name);
        box->SetChecked(!box->Checked());
    }
    Find<tk::TButton>(app::SettingsDialog, "btnOk")->Click();
    RunFor(application, 200);
    Check(app::SettingsDialog == nullptr, "OK left the settings dialog open");
}

void RemoveCard(app::TfrmMain* main, int card) {
    win::DEV_BROADCAST_DEVNODE record{sizeof record, win::DBT_DEVTYP_DEVNODE, 0, win::DWORD(driver::CardDevNodes[card])};
    tk::TMessage message;
    message.Msg = win::WM_DEVICECHANGE;
    message.WParam = win::DBT_DEVICEQUERYREMOVE;
    message.Record = &record;
    main->Perform(message);
}

void LiveOnce() {
    MessageBoxCapture boxes;
    Check(FourCards(), "the simulated card has no four cards");
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    const auto [main, control] = OpenChannelWindows(*application);
    Check(OpenChannelWindows(control) == 4, "not every channel window opened");
    RunFor(*application, 2000);
    TickChannelBoxes(control, false);
    Check(OpenChannelWindows(control) == 0, "a channel window stayed open");

    ChangeSettings(*application, control);

    TickChannelBoxes(control, true);
    RunFor(*application, 1000);
    control->Close();
    control->Show(); // the windows open at the close reopen
    Check(OpenChannelWindows(control) == 4, "the channel windows did not reopen");
    RunFor(*application, 1000);

    RemoveCard(main, 3);
    Check(app::ControlWindow == nullptr, "the card's removal left the control window");
    Check(app::TerminateRequested, "the card's removal did not end the program");
    application.reset();
    win::DestroyIcon(app::TrayIcon);
    app::TrayIcon = 0;
    for (const CapturedBox& box : boxes.boxes) std::fprintf(stderr, "life cycle: message box \"%s\"\n", box.text.c_str());
    Check(boxes.boxes.empty(), "a message box was shown");
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string home = (std::filesystem::temp_directory_path() / "kova2-life-XXXXXX").string();
    if (!mkdtemp(home.data())) return 2;
    setenv("KOVA2_HOME", home.c_str(), 1);
    {
        QApplication qtApplication(argc, argv);
        LiveOnce();
    }
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
    return failed ? 1 : 0;
}
