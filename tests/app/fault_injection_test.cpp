// Faults from outside the program, injected while it starts or runs: a driver host that is missing,
// crashes, ends early or hangs; a registry file that is damaged or cannot be replaced; the card's state
// file damaged under a metering window; a card removed with that window open. The program neither
// crashes nor hangs, keeps what the user set, and tells the user once of what the user must know.
#include "app/child_windows.h"
#include "app/mix_control_window.h"
#include "app/process_state.h"
#include "app/startup.h"
#include "controls/bilingual_controls.h"
#include "controls/slider.h"
#include "driver/config_call.h"
#include "driver/device_tables.h"
#include "driver/no_answer_report.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/win_messages.h"
#include "platform/win_records.h"
#include "simcard/state_file.h"
#include "tests/app/fake_tray.h"
#include "tests/driver/message_box_capture.h"
#include "toolkit/application.h"
#include "toolkit/message.h"
#include "toolkit/message_queue.h"
#include "windows/channel_window.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <unistd.h>

namespace fs = std::filesystem;
namespace reg = platform::registry;
using namespace std::chrono_literals;

namespace {

constexpr char kNoAnswer[] = "Der Kova 2 Treiber antwortet nicht.";
const std::string kControlSection = "software\\holvar\\kova2mix.ini\\MixControlWnd";

class FaultInjection : public testing::Test {
protected:
    void SetUp() override {
        previousOptions = driver::SetConfigCallOptions({});
        driver::ResetDriverNotAnsweringReport();
        std::error_code ec;
        fs::remove(reg::FilePath(), ec);
        fs::remove(fs::path(reg::FilePath()) += ".damaged", ec);
        reg::StartRun();
        application.reset(new tk::TApplication);
    }
    void TearDown() override {
        application.reset();
        driver::SetConfigCallOptions(previousOptions);
        driver::ResetDriverNotAnsweringReport();
    }

    // The program ends as at log-out as soon as its icon is in the tray; first runs whileRunning.
    void EndOnceRunning(std::function<void()> whileRunning = {}) {
        tray.onAdd = [this, whileRunning](const win::NOTIFYICONDATAA&) {
            if (whileRunning) whileRunning();
            win::PostMessageA(application->MainForm()->Handle(), win::WM_ENDSESSION, 1, 0);
        };
    }

    std::size_t BoxesStartingWith(const std::string& text) const {
        std::size_t count = 0;
        for (const CapturedBox& box : boxes.boxes) count += box.text.rfind(text, 0) == 0;
        return count;
    }

    controls::TExtCheckBox* Box(const char* name) const {
        return qobject_cast<controls::TExtCheckBox*>(app::ControlWindow->FindComponent(QString::fromLatin1(name)));
    }

    // The real analog input window, open from the control window and metering.
    windows::TChannelWindow* OpenAnalogInputs() {
        app::ControlWindow->Show();
        Box("chkAnalogInputs")->SetChecked(true);
        application->ProcessMessages();
        return qobject_cast<windows::TChannelWindow*>(app::AnalogInputWindow);
    }

    // Lets the timers' messages come for a while.
    void Run(std::chrono::milliseconds time) {
        const auto end = std::chrono::steady_clock::now() + time;
        while (std::chrono::steady_clock::now() < end) {
            application->ProcessMessages();
            usleep(5000);
        }
    }

    driver::ConfigCallOptions previousOptions;
    MessageBoxCapture boxes;
    FakeTray tray;
    tk::Owned<tk::TApplication> application;
};

struct HostCase {
    const char* name;
    driver::ConfigCallTarget target;
};
void PrintTo(const HostCase& hostCase, std::ostream* out) { *out << hostCase.name; }

class HostFault : public FaultInjection, public testing::WithParamInterface<HostCase> {};

TEST_P(HostFault, StartUpEndsQuietlyAfterSayingOnceThatTheDriverDoesNotAnswer) {
    driver::ConfigCallOptions options;
    options.target = GetParam().target;
    options.answerTimeout = options.coldStartTimeout = 1s;
    driver::SetConfigCallOptions(options);
    const auto start = std::chrono::steady_clock::now();
    app::RunStartup();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s) << "the wait is bounded";
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(BoxesStartingWith(kNoAnswer), 1u);
    EXPECT_TRUE(tray.added.empty());
    EXPECT_EQ(application->ComponentCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(MissingCrashingEndingHanging, HostFault,
                         testing::Values(HostCase{"MissingLibrary", {"no-such-driver.DRV", "DriverConfig"}},
                                         HostCase{"NoSuchEntry", {"kova2_testentry.so", "NoSuchEntry"}},
                                         HostCase{"Crash", {"kova2_testentry.so", "Crash"}},
                                         HostCase{"ExitEarly", {"kova2_testentry.so", "ExitEarly"}},
                                         HostCase{"Hang", {"kova2_testentry.so", "Hang"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FaultInjection, HostThatHangsInTheSettingsCallIsStoppedAndSaidOnceWhileTheProgramRuns) {
    EndOnceRunning([this] {
        driver::ConfigCallOptions hanging;
        hanging.target = {"kova2_testentry.so", "Hang"};
        hanging.answerTimeout = hanging.coldStartTimeout = 500ms;
        driver::SetConfigCallOptions(hanging);
        app::ControlWindow->Show();
        for (int attempt = 0; attempt < 2; ++attempt) {
            Box("chkSettings")->SetChecked(true);
            Box("chkSettings")->SetChecked(false);
        }
        EXPECT_EQ(app::SettingsDialog, nullptr);
    });
    app::RunStartup();
    EXPECT_EQ(tray.added.size(), 1u);
    EXPECT_EQ(BoxesStartingWith(kNoAnswer), 1u);
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST_F(FaultInjection, DamagedRegistryIsSaidOnceAndTheProgramRunsAndSavesASoundOne) {
    std::ofstream(reg::FilePath(), std::ios::binary) << "[software\\holvar\\kova2mix.ini\\MixControlWnd\n\x01\x02";
    reg::Reload();
    EndOnceRunning([this] {
        app::ControlWindow->Show();
        Box("chkDigitalOutputs")->SetChecked(true);
    });
    app::RunStartup();
    ASSERT_EQ(tray.added.size(), 1u);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_NE(boxes.boxes[0].text.find("beschädigt"), std::string::npos);
    EXPECT_TRUE(fs::exists(fs::path(reg::FilePath()) += ".damaged"));

    reg::Reload();
    const auto stored = reg::QueryValue(kControlSection, "chkDigitalOutputs");
    ASSERT_TRUE(stored) << "the state of this run is in a sound file";
    EXPECT_EQ(stored->text, "1");
}

TEST_F(FaultInjection, RegistryThatCannotBeWrittenAtTheEndIsSaidOnce) {
    const fs::path blocker = fs::path(reg::FilePath()) += ".tmp-" + std::to_string(getpid());
    EndOnceRunning([&] {
        app::ControlWindow->Show();
        Box("chkDigitalOutputs")->SetChecked(true);
        fs::create_directories(blocker);
    });
    app::RunStartup();
    fs::remove(blocker);
    EXPECT_EQ(tray.added.size(), 1u);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_NE(boxes.boxes[0].text.find("nicht gespeichert"), std::string::npos);
}

TEST_F(FaultInjection, StateFileDamagedUnderAMeteringWindowIsReplacedAndTheWindowGoesOn) {
    EndOnceRunning([this] {
        windows::TChannelWindow* window = OpenAnalogInputs();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->Metering());
        Run(150ms);
        const fs::path state = simcard::CardStatePath();
        // Overwritten in place with junk, then replaced by a short file, then gone.
        {
            std::fstream file(state, std::ios::in | std::ios::out | std::ios::binary);
            file.write("\xde\xad\xbe\xef junk", 9);
        }
        Run(150ms);
        const fs::path shortFile = fs::path(state) += ".short";
        std::ofstream(shortFile, std::ios::binary) << std::string(100, 'x');
        fs::rename(shortFile, state);
        Run(150ms);
        fs::remove(state);
        Run(150ms);
        if (auto* fader = qobject_cast<controls::TSlider*>(window->FindComponent(QStringLiteral("Slider0"))))
            fader->SetPosition(fader->Min());
        Run(100ms);
        EXPECT_TRUE(window->Metering());
        simcard::ProcessCardState().Read(
            [](const simcard::CardStateLayout& layout) { EXPECT_EQ(simcard::StateProblem(layout), std::nullopt); });
    });
    app::RunStartup();
    EXPECT_EQ(tray.added.size(), 1u);
    EXPECT_TRUE(boxes.boxes.empty()) << "the card mends its own state";
}

TEST_F(FaultInjection, CardRemovedUnderAMeteringWindowEndsTheProgramWithTheWindowsStateSaved) {
    tray.onAdd = [this](const win::NOTIFYICONDATAA&) {
        windows::TChannelWindow* window = OpenAnalogInputs();
        ASSERT_NE(window, nullptr);
        Run(100ms);
        win::DEV_BROADCAST_DEVNODE record{sizeof record, win::DBT_DEVTYP_DEVNODE, 0,
                                          win::DWORD(driver::CardDevNodes[driver::CardCount - 1])};
        tk::TMessage message;
        message.Msg = win::WM_DEVICECHANGE;
        message.WParam = win::DBT_DEVICEQUERYREMOVE;
        message.Record = &record;
        application->MainForm()->Perform(message);
        EXPECT_EQ(message.Result, 1);
        // The loop waits for one message before it looks at the flag.
        win::PostMessageA(application->MainForm()->Handle(), win::WM_QUERYENDSESSION, 0, 0);
    };
    app::RunStartup();
    EXPECT_TRUE(app::TerminateRequested);
    EXPECT_EQ(app::AnalogInputWindow, nullptr);
    EXPECT_TRUE(boxes.boxes.empty());
    reg::Reload();
    const auto stored = reg::QueryValue(kControlSection, "chkAnalogInputs");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->text, "1");
}

} // namespace
