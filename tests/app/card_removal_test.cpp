#include "app/main_form.h"
#include "app/mix_control_window.h"
#include "app/process_state.h"
#include "driver/device_tables.h"
#include "simcard/state_file.h"
#include "simcard/trace.h"
#include "controls/bilingual_controls.h"
#include "platform/registry.h"
#include "tests/app/stand_in_makers.h"
#include "tests/driver/message_box_capture.h"
#include "toolkit/application.h"
#include "platform/win_messages.h"
#include "platform/win_records.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class CardRemovalTest : public testing::Test {
protected:
    void SetUp() override {
        std::error_code ec;
        std::filesystem::remove(platform::registry::FilePath(), ec);
        platform::registry::Reload();
        application.reset(new tk::TApplication);
        main = application->CreateForm<app::TfrmMain>();
        application->CreateForm<app::TMixControlWnd>();
        app::TerminateRequested = false;
        simcard::SetTraceEnabled(true);
        simcard::ClearTrace();
    }

    win::LRESULT Broadcast(win::WPARAM event, win::DWORD deviceType, win::DWORD devNode) {
        win::DEV_BROADCAST_DEVNODE record{sizeof record, deviceType, 0, devNode};
        tk::TMessage message;
        message.Msg = win::WM_DEVICECHANGE;
        message.WParam = event;
        message.Record = &record;
        main->Perform(message);
        return message.Result;
    }

    static std::vector<std::string> ConfigCalls() {
        std::vector<std::string> calls;
        for (const simcard::TraceLine& line : simcard::ReadTrace())
            if (line.event.rfind("config ", 0) == 0) calls.push_back(line.event.substr(7, line.event.find(' ', 7) - 7));
        return calls;
    }

    static std::int32_t FirstConfigField() {
        return simcard::ProcessCardState().Access([](simcard::CardStateLayout& state) {
            std::int32_t value;
            std::memcpy(&value, state.configArray.data(), sizeof value);
            return value;
        });
    }

    StandInMakers makers;
    MessageBoxCapture boxes;
    tk::Owned<tk::TApplication> application;
    app::TfrmMain* main = nullptr;
};

TEST_F(CardRemovalTest, DiscoveryFoundTheSimulatedCardsAndTheirDeviceNodes) {
    EXPECT_EQ(driver::CardCount, 2);
    EXPECT_NE(driver::CardDevNodes[0], -1);
    EXPECT_NE(driver::CardDevNodes[1], -1);
    EXPECT_NE(driver::CardDevNodes[0], driver::CardDevNodes[1]);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(CardRemovalTest, SecondCardsRemovalTellsTheDriverAndEndsTheProgram) {
    EXPECT_EQ(Broadcast(win::DBT_DEVICEQUERYREMOVE, win::DBT_DEVTYP_DEVNODE, win::DWORD(driver::CardDevNodes[1])), 1);
    EXPECT_EQ(ConfigCalls(), (std::vector<std::string>{"getconfig", "setconfig"}));
    EXPECT_EQ(FirstConfigField(), -1);
    EXPECT_EQ(app::ControlWindow, nullptr);
    EXPECT_EQ(application->ComponentCount(), 1);
    EXPECT_TRUE(app::TerminateRequested);
}

TEST_F(CardRemovalTest, RemovalSavesWhichWindowsWereOpenFirst) {
    app::ControlWindow->Show();
    for (const char* name : {"chkAnalogInputs", "chkDigitalOutputs"})
        qobject_cast<controls::TExtCheckBox*>(app::ControlWindow->FindComponent(QString::fromLatin1(name)))
            ->SetChecked(true);
    Broadcast(win::DBT_DEVICEQUERYREMOVE, win::DBT_DEVTYP_DEVNODE, win::DWORD(driver::CardDevNodes[0]));
    EXPECT_EQ(app::ControlWindow, nullptr);
    platform::registry::Reload();
    const std::string section = "software\\holvar\\kova2mix.ini\\MixControlWnd";
    for (const char* name : {"chkAnalogInputs", "chkDigitalOutputs"}) {
        const auto stored = platform::registry::QueryValue(section, name);
        ASSERT_TRUE(stored) << name;
        EXPECT_EQ(stored->text, "1") << name;
    }
}

TEST_F(CardRemovalTest, OtherDevicesAndOtherEventsChangeNothing) {
    const auto devNode = win::DWORD(driver::CardDevNodes[0]);
    EXPECT_EQ(Broadcast(win::DBT_DEVICEQUERYREMOVE, win::DBT_DEVTYP_DEVNODE, devNode + 1000), 1);
    EXPECT_EQ(Broadcast(win::DBT_DEVICEREMOVECOMPLETE, win::DBT_DEVTYP_DEVNODE, devNode), 1);
    EXPECT_EQ(Broadcast(win::DBT_DEVICEARRIVAL, win::DBT_DEVTYP_DEVNODE, devNode), 1);
    EXPECT_EQ(Broadcast(win::DBT_DEVICEQUERYREMOVE, 5, devNode), 1) << "not a device node record";
    tk::TMessage bare;
    bare.Msg = win::WM_DEVICECHANGE;
    bare.WParam = win::DBT_DEVICEQUERYREMOVE;
    main->Perform(bare);
    EXPECT_EQ(bare.Result, 1) << "no record at all";
    EXPECT_TRUE(ConfigCalls().empty());
    EXPECT_NE(app::ControlWindow, nullptr);
    EXPECT_FALSE(app::TerminateRequested);
}

} // namespace
