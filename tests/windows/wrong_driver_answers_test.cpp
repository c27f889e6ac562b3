// A driver gone wrong: four cards whose driver fills every block it is handed with one byte, whatever
// the message asked for. Every channel window opens, meters, takes a fader move and every box ticked or unticked,
// and closes without a crash, with every fader and meter inside its range.
#include "controls/level_meter.h"
#include "controls/lumi.h"
#include "controls/slider.h"
#include "driver/device_discovery.h"
#include "platform/win_messages.h"
#include "tests/driver/card_devices.h"
#include "tests/driver/message_box_capture.h"
#include "tests/windows/channel_window_fixture.h"
#include "tests/windows/fake_host.h"
#include "toolkit/application.h"
#include "toolkit/check_box.h"
#include "toolkit/message_queue.h"

#include <gtest/gtest.h>

namespace {

class WrongDriverAnswers : public testing::TestWithParam<int> {
protected:
    void SetUp() override {
        std::vector<TestWaveDevice> inputs, outputs;
        int node = 0x0C01;
        for (const char* numeral : {"I", "II", "III", "IV"}) {
            const TestCard card(numeral, win::DWORD(node++));
            inputs.insert(inputs.end(), card.inputs.begin(), card.inputs.end());
            outputs.insert(outputs.end(), card.outputs.begin(), card.outputs.end());
        }
        a.Configure(inputs, outputs);
        b.Configure({}, {});
        a.Scribble(GetParam());
        driver::DiscoverDevices();
        application.reset(new tk::TApplication);
        control = tk::CreateForm<tk::TForm>(application.get());
    }
    void TearDown() override { application.reset(); }

    void ExerciseWindow(windows::TChannelWindow* window) {
        window->Show();
        for (int round = 0; round < 5; ++round) {
            win::PostMessageA(window->Handle(), win::WM_LEVELPOLL, 0, 0);
            win::PostMessageA(window->Handle(), win::WM_METERTICK, 0, 0);
            application->ProcessMessages();
        }
        for (controls::TSlider* slider : All<controls::TSlider>(window)) {
            EXPECT_GE(slider->Position(), slider->Min()) << slider->Name().toStdString();
            EXPECT_LE(slider->Position(), slider->Max()) << slider->Name().toStdString();
        }
        for (controls::TLevelMeter* meter : All<controls::TLevelMeter>(window)) {
            EXPECT_GE(meter->Level(), 0) << meter->Name().toStdString();
            EXPECT_LE(meter->Level(), meter->GetLevelMax()) << meter->Name().toStdString();
            EXPECT_GE(meter->PeakIndex(), 0) << meter->Name().toStdString();
            EXPECT_LT(meter->PeakIndex(), meter->LumiCount()) << meter->Name().toStdString();
        }

        if (auto sliders = All<controls::TSlider>(window); !sliders.empty())
            sliders.front()->SetPosition(sliders.front()->Min());
        for (tk::TCheckBox* box : All<tk::TCheckBox>(window)) box->SetChecked(!box->Checked());
        application->ProcessMessages();
        window->Close();
        window->Free();
        application->ProcessMessages();
    }

    static std::vector<const windows_test::WindowRow*> Rows() {
        return {&windows_test::AnalogInputRow(), &windows_test::DigitalInputRow(),
                &windows_test::AnalogOutputRow(), &windows_test::DigitalOutputRow()};
    }

    template <class T> std::vector<T*> All(tk::TComponent* owner) const {
        std::vector<T*> found;
        for (tk::TComponent* component : owner->ComponentList())
            if (auto* typed = qobject_cast<T*>(component)) found.push_back(typed);
        return found;
    }

    TestWaveDriver a{"testwave_a.DRV"};
    TestWaveDriver b{"testwave_b.DRV"};
    InstalledTestDrivers installed{"testwave_a.DRV", "testwave_b.DRV"};
    MessageBoxCapture boxes;
    tk::Owned<tk::TApplication> application;
    tk::TForm* control = nullptr;
    windows_test::FakeHost host{nullptr};
};

TEST_P(WrongDriverAnswers, EveryChannelWindowStaysInsideItsRanges) {
    ASSERT_EQ(driver::CardCount, 4);
    for (const windows_test::WindowRow* row : Rows()) {
        SCOPED_TRACE(row->name);
        ExerciseWindow(row->make(control, host));
    }
}

// Every fill is a level outside 0..32767 (0x7F7F7F7F, 0x01010101 above it; 0x80808080, -1 below): the
// level poll hands each to the meters, and none of them lights a lumi.
TEST_P(WrongDriverAnswers, LevelsOutsideTheScaleLightNothing) {
    for (const windows_test::WindowRow* row : Rows()) {
        SCOPED_TRACE(row->name);
        tk::Owned<windows::TChannelWindow> window(row->make(control, host));
        window->Show();
        ASSERT_TRUE(window->Metering());
        window->Perform(win::WM_LEVELPOLL, 0, 0);
        for (controls::TLevelMeter* meter : All<controls::TLevelMeter>(window.get())) {
            EXPECT_EQ(meter->LitIndex(), 0) << meter->Name().toStdString();
            EXPECT_EQ(meter->PeakIndex(), 0) << meter->Name().toStdString();
            for (int lumi = 0; lumi < meter->LumiCount(); ++lumi)
                EXPECT_FALSE(meter->Lumi(lumi)->On()) << meter->Name().toStdString() << " lumi " << lumi;
        }
        window->Close();
    }
}

INSTANTIATE_TEST_SUITE_P(FillBytes, WrongDriverAnswers, testing::Values(0xFF, 0x80, 0x7F, 0x01));

} // namespace
