#include "app/about_box.h"
#include "app/main_form.h"
#include "app/mix_control_window.h"
#include "app/process_state.h"
#include "app/startup.h"
#include "simcard/state_file.h"
#include "tests/app/fake_tray.h"
#include "tests/driver/message_box_capture.h"
#include "toolkit/application.h"
#include "toolkit/message_queue.h"
#include "platform/paths.h"
#include "platform/scope_exit.h"
#include "platform/wave_driver_set.h"
#include "platform/win_messages.h"

#include <QStringList>
#include <array>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>

namespace {

class StartupTest : public testing::Test {
protected:
    void SetUp() override { application.reset(new tk::TApplication); }

    // What the simulated driver answers to getstates.
    static void SetDriverStates(int overall, std::array<int, 4> cards) {
        simcard::ProcessCardState().Access([&](simcard::CardStateLayout& state) {
            state.driverState = overall;
            for (std::size_t i = 0; i < cards.size(); ++i) state.cardStates[i] = cards[i];
        });
    }

    // Posts the messages to the main window as soon as the tray icon is in place, i.e. inside the loop.
    void PostToMainWindowOnceRunning(std::vector<std::pair<win::UINT, win::WPARAM>> messages) {
        tray.onAdd = [this, messages](const win::NOTIFYICONDATAA&) {
            for (const auto& [message, wParam] : messages)
                win::PostMessageA(application->MainForm()->Handle(), message, wParam, 0);
        };
    }

    QStringList FormClasses() const {
        QStringList classes;
        for (tk::TComponent* form : application->ComponentList())
            classes << QString::fromLatin1(form->metaObject()->className());
        return classes;
    }

    MessageBoxCapture boxes;
    FakeTray tray;
    tk::Owned<tk::TApplication> application;
};

TEST_F(StartupTest, DriverNotReadyEndsWithoutWindowsOrIcon) {
    SetDriverStates(0, {0, 0, 0, 0});
    app::RunStartup();
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(tray.added.empty());
    EXPECT_EQ(application->ComponentCount(), 0);
}

TEST_F(StartupTest, VirtualDeviceVersionErrorIsShownAndEndsTheProgram) {
    SetDriverStates(-27, {-30, 0, 0, 0});
    app::RunStartup();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, "Kova 2 Initialisierungsfehler");
    EXPECT_TRUE(tray.added.empty());
    EXPECT_EQ(application->ComponentCount(), 0);
}

TEST_F(StartupTest, FailingSecondCardIsReportedAndTheProgramRunsUntilTheSessionEnds) {
    SetDriverStates(1, {1, -25, 0, 0});
    PostToMainWindowOnceRunning({{win::WM_ENDSESSION, 0}, {win::WM_ENDSESSION, 1}});
    app::RunStartup();

    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_NE(boxes.boxes[0].text.find("Karte #2"), std::string::npos);
    ASSERT_EQ(tray.added.size(), 1u);
    const win::NOTIFYICONDATAA& icon = tray.added[0];
    EXPECT_EQ(icon.cbSize, 88u);
    EXPECT_EQ(icon.hWnd, app::ControlWindow->Handle());
    EXPECT_EQ(icon.uID, 0u);
    EXPECT_EQ(icon.uFlags, 7u);
    EXPECT_EQ(icon.uCallbackMessage, 0x466u);
    EXPECT_NE(icon.hIcon, 0u);
    EXPECT_STREQ(icon.szTip, "Einstellungen für Kova 2");
    EXPECT_EQ(tray.deleted, std::vector<win::HWND>{icon.hWnd});
    EXPECT_TRUE(app::TerminateRequested);
    EXPECT_EQ(app::TrayIcon, 0u);
}

TEST_F(StartupTest, NoCardShowsTheControlWindowsErrorAndEndsWithoutIcon) {
    const auto list = platform::RuntimeDir() / "onboard-only.list";
    std::ofstream(list) << "onboard.DRV\n";
    // Installed, not named in the environment: an earlier test of this process has loaded the drivers.
    platform::WaveDriverSet::Install(list);
    const platform::ScopeExit defaultDrivers([] { platform::WaveDriverSet::Install(); });
    SetDriverStates(1, {1, 1, 0, 0});
    app::RunStartup();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Kova 2 Treiber konnte nicht geöffnet werden.");
    EXPECT_EQ(boxes.boxes[0].caption, "Fehler");
    EXPECT_EQ(boxes.boxes[0].type, win::MB_ICONHAND);
    EXPECT_EQ(boxes.boxes[0].owner, app::ControlWindow->Handle());
    EXPECT_TRUE(tray.added.empty());
    EXPECT_TRUE(app::TerminateRequested);
}

TEST_F(StartupTest, RefusedTrayIconEndsAtOnce) {
    SetDriverStates(1, {1, 1, 0, 0});
    tray.refuse = true;
    app::RunStartup();
    EXPECT_EQ(tray.added.size(), 1u);
    EXPECT_TRUE(tray.deleted.empty());
    EXPECT_FALSE(app::TerminateRequested);
}

TEST_F(StartupTest, PermanentWindowsAreCreatedInOrderAndFreedInReverse) {
    SetDriverStates(1, {1, 1, 0, 0});
    tray.refuse = true;
    app::RunStartup();
    EXPECT_EQ(FormClasses(), (QStringList{"app::TfrmMain", "app::TMixControlWnd", "app::TAboutBox"}));
    EXPECT_EQ(application->MainForm(), application->Components(0));

    QStringList freed;
    for (tk::TComponent* form : application->ComponentList())
        QObject::connect(form, &QObject::destroyed, [&freed, name = form->Name()] { freed << name; });
    application.reset();
    EXPECT_EQ(freed, (QStringList{"AboutBox", "MixControlWnd", "frmMain"}));
    EXPECT_EQ(app::ControlWindow, nullptr);
    EXPECT_EQ(app::AboutBox, nullptr);
}

TEST_F(StartupTest, MainWindowAnswersTheSessionsEnd) {
    auto* main = application->CreateForm<app::TfrmMain>();
    app::TerminateRequested = false;
    EXPECT_EQ(main->Perform(win::WM_QUERYENDSESSION), 1);
    EXPECT_FALSE(app::TerminateRequested);
    EXPECT_EQ(main->Perform(win::WM_ENDSESSION, 0), 0);
    EXPECT_FALSE(app::TerminateRequested);
    EXPECT_EQ(main->Perform(win::WM_ENDSESSION, 1), 0);
    EXPECT_TRUE(app::TerminateRequested);
}

TEST_F(StartupTest, DeviceChangeIsAlwaysGranted) {
    auto* main = application->CreateForm<app::TfrmMain>();
    app::TerminateRequested = false;
    EXPECT_EQ(main->Perform(win::WM_DEVICECHANGE, win::DBT_DEVICEARRIVAL), 1);
    EXPECT_FALSE(app::TerminateRequested);
}

TEST_F(StartupTest, ControlWindowOpensOnlyOnTheTraysDoubleClick) {
    auto* window = application->CreateForm<app::TMixControlWnd>();
    EXPECT_EQ(window->Caption(), QStringLiteral("Kova 2"));
    window->Perform(win::WM_TRAYNOTIFY, 0, win::WM_LBUTTONUP);
    window->Perform(win::WM_TRAYNOTIFY, 0, win::WM_RBUTTONUP);
    EXPECT_FALSE(window->Visible());
    window->SetWindowState(tk::TWindowState::wsMinimized);
    window->Perform(win::WM_TRAYNOTIFY, 0, win::WM_LBUTTONDBLCLK);
    EXPECT_TRUE(window->Visible());
    EXPECT_EQ(window->WindowState(), tk::TWindowState::wsNormal);
}

} // namespace
