#include "app/child_windows.h"
#include "app/main_form.h"
#include "app/mix_control_window.h"
#include "app/process_state.h"
#include "tests/app/stand_in_window.h"
#include "controls/bilingual_controls.h"
#include "driver/config_call.h"
#include "driver/device_tables.h"
#include "driver/no_answer_report.h"
#include "driver/silent_abort.h"
#include "platform/mmsystem.h"
#include "platform/registry.h"
#include "platform/win_messages.h"
#include "platform/win_records.h"
#include "simcard/trace.h"
#include "tests/app/stand_in_makers.h"
#include "tests/driver/message_box_capture.h"
#include "toolkit/application.h"

#include <QPointer>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <filesystem>
#include <gtest/gtest.h>

namespace reg = platform::registry;
using Outcome = app::StandInWindow::Outcome;

namespace {

const std::string kSection = "software\\holvar\\kova2mix.ini\\MixControlWnd";

class ControlWindow : public testing::Test {
protected:
    void SetUp() override {
        std::error_code ec;
        std::filesystem::remove(reg::FilePath(), ec);
        reg::Reload();
        application.reset(new tk::TApplication);
        application->CreateForm<app::TfrmMain>(); // the main form, whose closing would end the program
        window = application->CreateForm<app::TMixControlWnd>();
        app::TerminateRequested = false;
    }

    controls::TExtCheckBox* Box(const char* name) const {
        return qobject_cast<controls::TExtCheckBox*>(window->FindComponent(QString::fromLatin1(name)));
    }
    void Tick(const char* name, bool checked = true) { Box(name)->SetChecked(checked); }

    static QString StandsFor(tk::TForm* form) {
        auto* standIn = qobject_cast<app::StandInWindow*>(form);
        return standIn ? standIn->StandsFor() : QString();
    }
    static std::optional<std::string> Stored(const char* name) {
        reg::Reload();
        const auto value = reg::QueryValue(kSection, name);
        return value ? std::optional(value->text) : std::nullopt;
    }
    int OwnedWindows() const {
        int count = 0;
        for (tk::TComponent* component : window->ComponentList()) count += qobject_cast<tk::TForm*>(component) != nullptr;
        return count;
    }
    static bool OnTop(tk::TForm* form) { return form->WindowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint); }

    StandInMakers makers;
    MessageBoxCapture boxes;
    tk::Owned<tk::TApplication> application;
    app::TMixControlWnd* window = nullptr;
};

TEST_F(ControlWindow, EachChannelBoxOpensItsOwnWindowAndUntickingFreesIt) {
    const struct {
        const char* box;
        tk::TForm*& reference;
        const char* className;
    } channels[] = {{"chkAnalogInputs", app::AnalogInputWindow, "TfrmAnalogInp"},
                    {"chkDigitalInputs", app::DigitalInputWindow, "TfrmDigInp"},
                    {"chkAnalogOutputs", app::AnalogOutputWindow, "TfrmAnalogOut"},
                    {"chkDigitalOutputs", app::DigitalOutputWindow, "TfrmDigOut"}};
    for (const auto& channel : channels) {
        SCOPED_TRACE(channel.box);
        Tick(channel.box);
        ASSERT_NE(channel.reference, nullptr);
        EXPECT_EQ(StandsFor(channel.reference), channel.className);
        EXPECT_EQ(channel.reference->Owner(), window);
        EXPECT_TRUE(channel.reference->Visible());
        const QPointer<tk::TForm> opened = channel.reference;
        Tick(channel.box); // already open: nothing more
        EXPECT_EQ(channel.reference, opened);
        EXPECT_EQ(OwnedWindows(), 1);

        Tick(channel.box, false);
        application->ProcessMessages();
        EXPECT_EQ(channel.reference, nullptr);
        EXPECT_TRUE(opened.isNull());
    }
}

TEST_F(ControlWindow, TraysDoubleClickBringsTheShownWindowToTheFrontAndSingleClicksDoNothing) {
    window->Show();
    Tick("chkDigitalInputs"); // opened over the control window, and active
    application->ProcessMessages();
    ASSERT_FALSE(window->Active());
    constexpr win::LPARAM kRightDoubleClick = 0x206;
    for (const win::LPARAM other : {win::LPARAM(win::WM_LBUTTONDOWN), win::LPARAM(win::WM_LBUTTONUP), kRightDoubleClick}) {
        window->Perform(win::WM_TRAYNOTIFY, 0, other);
        application->ProcessMessages();
        EXPECT_FALSE(window->Active()) << other;
    }
    window->Perform(win::WM_TRAYNOTIFY, 0, win::WM_LBUTTONDBLCLK);
    application->ProcessMessages();
    EXPECT_TRUE(window->Active());
}

TEST_F(ControlWindow, ChannelWindowsOwnCloseUnticksItsBoxAndFreesIt) {
    Tick("chkAnalogOutputs");
    const QPointer<tk::TForm> opened = app::AnalogOutputWindow;
    opened->Close();
    EXPECT_TRUE(Box("chkAnalogOutputs")->Checked()) << "the message is posted, not sent";
    application->ProcessMessages();
    EXPECT_FALSE(Box("chkAnalogOutputs")->Checked());
    EXPECT_EQ(app::AnalogOutputWindow, nullptr);
    EXPECT_TRUE(opened.isNull());
}

TEST_F(ControlWindow, ChildClosedWithoutWindowOrForAWindowNoLongerHeldChangesNothing) {
    Tick("chkDigitalInputs");
    const win::HWND stale = app::DigitalInputWindow->Handle();
    Tick("chkDigitalInputs", false);
    Tick("chkDigitalInputs");
    window->Perform(win::WM_CHILDCLOSED, 0, 0);
    window->Perform(win::WM_CHILDCLOSED, 0, win::LPARAM(stale));
    window->Perform(win::WM_CHILDCLOSED, 0, win::LPARAM(window->Handle()));
    EXPECT_TRUE(Box("chkDigitalInputs")->Checked());
    EXPECT_NE(app::DigitalInputWindow, nullptr);
}

TEST_F(ControlWindow, ClosingWithTwoWindowsOpenClosesBothAndShowingAgainReopensThem) {
    window->Show();
    Tick("chkAnalogInputs");
    Tick("chkDigitalOutputs");
    window->Close();
    EXPECT_FALSE(window->Visible());
    EXPECT_EQ(app::AnalogInputWindow, nullptr);
    EXPECT_EQ(app::DigitalOutputWindow, nullptr);
    EXPECT_FALSE(Box("chkAnalogInputs")->Checked());
    EXPECT_EQ(Stored("chkAnalogInputs"), "1");
    EXPECT_EQ(Stored("chkDigitalInputs"), "0");
    EXPECT_EQ(Stored("chkDigitalOutputs"), "1");
    EXPECT_EQ(Stored("chkStayOnTop"), "0");
    EXPECT_EQ(Stored("chkSettings"), std::nullopt) << "the settings box is not kept";
    EXPECT_TRUE(Stored("Height"));

    window->Perform(win::WM_TRAYNOTIFY, 0, win::WM_LBUTTONDBLCLK);
    EXPECT_TRUE(window->Visible());
    ASSERT_NE(app::AnalogInputWindow, nullptr);
    ASSERT_NE(app::DigitalOutputWindow, nullptr);
    EXPECT_TRUE(app::AnalogInputWindow->Visible());
    EXPECT_TRUE(app::DigitalOutputWindow->Visible());
    EXPECT_EQ(app::DigitalInputWindow, nullptr);
    EXPECT_EQ(app::AnalogOutputWindow, nullptr);
}

// The exit procedure closes the control window whether it is shown or not.
TEST_F(ControlWindow, ClosingTheHiddenWindowKeepsTheStateOfItsLastShowing) {
    window->Show();
    Tick("chkAnalogInputs");
    window->Close();
    window->Close();
    EXPECT_EQ(Stored("chkAnalogInputs"), "1");
}

TEST_F(ControlWindow, WindowThatCannotBePreparedLeavesItsBoxUntickedAndShowsNothing) {
    for (const Outcome outcome : {Outcome::NotInitialised, Outcome::SilentAbort}) {
        app::ChildWindows().digitalOutputs = StandInMakers::Maker("TfrmDigOut", outcome);
        Tick("chkDigitalOutputs");
        application->ProcessMessages();
        EXPECT_FALSE(Box("chkDigitalOutputs")->Checked());
        EXPECT_EQ(app::DigitalOutputWindow, nullptr);
        EXPECT_EQ(OwnedWindows(), 0);
    }
    EXPECT_TRUE(boxes.boxes.empty()) << "neither failure is reported";

    app::ChildWindows().digitalOutputs = StandInMakers::Maker("TfrmDigOut", Outcome::Error);
    window->Show();
    QTest::mouseClick(Box("chkDigitalOutputs")->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(Box("chkDigitalOutputs")->Checked());
    EXPECT_EQ(OwnedWindows(), 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "TfrmDigOut could not be created.");
}

// A handler that opens control handles ends silently when one cannot be opened, as the toolkit's own
// abort does; other errors still reach the error display.
TEST_F(ControlWindow, AFailedControlOpenInAHandlerIsAsSilentAsTheToolkitsAbort) {
    const tk::TNotifyEvent opensHandles([](tk::TComponent*) { throw driver::SilentAbort(win::MMSYSERR_BADDEVICEID); });
    Box("chkStayOnTop")->SetOnClick(opensHandles);
    window->Show();
    QTest::mouseClick(Box("chkStayOnTop")->Widget(), Qt::LeftButton, {}, QPoint(3, 3));
    tk::HandleException(tk::EAbort());
    EXPECT_TRUE(boxes.boxes.empty());
    tk::HandleException(std::runtime_error("Kaputt"));
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

// The channel windows reach the control window as their host.
TEST_F(ControlWindow, AsHostItEndsAClosedWindowAndEnablesTheDigitalBoxes) {
    window->Show();
    Tick("chkAnalogOutputs");
    windows::WindowHost& host = *window;
    host.ChildClosed(app::AnalogOutputWindow);
    EXPECT_TRUE(Box("chkAnalogOutputs")->Checked()) << "posted: the window's close runs to its end first";
    application->ProcessMessages();
    EXPECT_FALSE(Box("chkAnalogOutputs")->Checked());
    EXPECT_EQ(app::AnalogOutputWindow, nullptr);

    Tick("chkSettings");
    host.EnableDigitalWindows();
    EXPECT_TRUE(Box("chkDigitalInputs")->Enabled());
    EXPECT_TRUE(Box("chkDigitalOutputs")->Enabled());
    EXPECT_FALSE(Box("chkAnalogInputs")->Enabled());
}

// The error leaves the restore for the error display: the boxes after the failing one and the window's
// place stay as they were, and the window shows all the same.
TEST_F(ControlWindow, AWindowFailingToReopenEndsTheRestoreWithItsError) {
    window->Show();
    window->SetLeft(40);
    Tick("chkAnalogInputs");
    Tick("chkDigitalInputs");
    window->Close();
    window->SetLeft(90);
    app::ChildWindows().analogInputs = StandInMakers::Maker("TfrmAnalogInp", Outcome::Error);
    window->Perform(win::WM_TRAYNOTIFY, 0, win::WM_LBUTTONDBLCLK);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "TfrmAnalogInp could not be created.");
    EXPECT_TRUE(window->Widget()->isVisible());
    EXPECT_FALSE(Box("chkAnalogInputs")->Checked());
    EXPECT_FALSE(Box("chkDigitalInputs")->Checked());
    EXPECT_EQ(app::DigitalInputWindow, nullptr);
    EXPECT_EQ(window->Left(), 90);
}

TEST_F(ControlWindow, SettingsClosesTheChannelWindowsAndGreysTheirBoxesUntilTheDialogCloses) {
    Tick("chkAnalogInputs");
    Tick("chkAnalogOutputs");
    simcard::SetTraceEnabled(true);
    simcard::ClearTrace();
    Tick("chkSettings");

    std::vector<std::string> calls;
    for (const simcard::TraceLine& line : simcard::ReadTrace())
        if (line.event.rfind("config ", 0) == 0) calls.push_back(line.event);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("config getconfig", 0), 0u);
    ASSERT_NE(app::SettingsDialog, nullptr);
    EXPECT_EQ(StandsFor(app::SettingsDialog), "TdlgCfg");
    EXPECT_TRUE(app::SettingsDialog->Visible());
    EXPECT_EQ(makers.settingsConfig, &window->Configuration());
    EXPECT_EQ(makers.settingsCard, 0);
    EXPECT_EQ(makers.settingsCardCount, driver::CardCount);
    EXPECT_EQ(app::AnalogInputWindow, nullptr);
    EXPECT_EQ(app::AnalogOutputWindow, nullptr);
    for (const char* name : {"chkAnalogInputs", "chkDigitalInputs", "chkAnalogOutputs", "chkDigitalOutputs"}) {
        EXPECT_FALSE(Box(name)->Checked()) << name;
        EXPECT_FALSE(Box(name)->Enabled()) << name;
    }

    app::SettingsDialog->Close();
    application->ProcessMessages();
    EXPECT_FALSE(Box("chkSettings")->Checked());
    EXPECT_EQ(app::SettingsDialog, nullptr);
    EXPECT_EQ(OwnedWindows(), 0);
    for (const char* name : {"chkAnalogInputs", "chkDigitalInputs", "chkAnalogOutputs", "chkDigitalOutputs"})
        EXPECT_TRUE(Box(name)->Enabled()) << name;
}

TEST_F(ControlWindow, FailedGetconfigLeavesTheSettingsBoxTickedWithoutDialog) {
    driver::ConfigCallOptions failing;
    failing.target = {"no-such-driver.DRV", "DriverConfig"};
    const driver::ConfigCallOptions previous = driver::SetConfigCallOptions(failing);
    Tick("chkSettings");
    driver::SetConfigCallOptions(previous);
    driver::ResetDriverNotAnsweringReport();

    EXPECT_TRUE(Box("chkSettings")->Checked());
    EXPECT_EQ(app::SettingsDialog, nullptr);
    EXPECT_TRUE(Box("chkAnalogInputs")->Enabled());
    Tick("chkSettings", false);
    EXPECT_EQ(OwnedWindows(), 0);
    EXPECT_TRUE(Box("chkAnalogInputs")->Enabled());
}

TEST_F(ControlWindow, KeepsItsWidthAndHeightWhateverIsDragged) {
    window->Show();
    window->SetBounds(10, 20, 400, 300);
    EXPECT_EQ(QSize(window->Width(), window->Height()), QSize(167, 159));
    window->Widget()->resize(60, 40); // as the user drags the client area
    EXPECT_EQ(QSize(window->Width(), window->Height()), QSize(167, 159));
    EXPECT_EQ(window->Widget()->size(), QSize(159, 132));

    win::MINMAXINFO info{};
    tk::TMessage message{win::WM_GETMINMAXINFO, 0, 0, -1, &info};
    window->Perform(message);
    EXPECT_EQ(message.Result, 0);
    for (const win::POINT& size : {info.ptMaxSize, info.ptMinTrackSize, info.ptMaxTrackSize}) {
        EXPECT_EQ(size.x, 167);
        EXPECT_EQ(size.y, 159);
    }
    EXPECT_EQ(info.ptMaxPosition.x, 0);
    EXPECT_EQ(info.ptMaxPosition.y, 0);
}

TEST_F(ControlWindow, StayOnTopReachesEveryWindowAndIsAppliedAgainOnActivation) {
    Tick("chkAnalogInputs");
    Tick("chkStayOnTop");
    EXPECT_TRUE(OnTop(window));
    EXPECT_TRUE(OnTop(app::AnalogInputWindow));

    Tick("chkDigitalInputs");
    app::DigitalInputWindow->WindowHandle()->setFlag(Qt::WindowStaysOnTopHint, false);
    application->OnActivate()(application.get());
    EXPECT_TRUE(OnTop(app::DigitalInputWindow));

    Tick("chkStayOnTop", false);
    EXPECT_FALSE(OnTop(window));
    EXPECT_FALSE(OnTop(app::AnalogInputWindow));
    EXPECT_FALSE(OnTop(app::DigitalInputWindow));
}

TEST_F(ControlWindow, ReferencesDoNotOutliveTheControlWindow) {
    Tick("chkSettings");
    Tick("chkAnalogInputs");
    ASSERT_NE(app::AnalogInputWindow, nullptr);
    ASSERT_NE(app::SettingsDialog, nullptr);
    application.reset();
    EXPECT_EQ(app::AnalogInputWindow, nullptr);
    EXPECT_EQ(app::SettingsDialog, nullptr);
    EXPECT_EQ(app::ControlWindow, nullptr);
}

} // namespace
