// The two output windows against the simulated card: the playback source of each card as the driver
// and other programs set it, the choices each output leaves the other, metering whatever plays, and
// the analog output's faders and mutes.
#include "driver/wave_messages.h"
#include "platform/win_records.h"
#include "platform/wow16.h"
#include "tests/driver/message_box_capture.h"
#include "tests/simcard/tool_run.h"
#include "tests/toolkit/modal_box_answer.h"
#include "tests/windows/output_window_fixture.h"
#include "windows/analog_output_window.h"
#include "windows/digital_output_window.h"

#include <QTest>
#include <gtest/gtest.h>

namespace windows_test {
namespace {

using simcard::RunTool;
using windows::SourceAnalogInput;
using windows::SourceDigitalInput;
using windows::SourceOtherOutput;
using windows::SourceProgram;

// ---- the analog output window

class AnalogOutputTest : public OutputWindowFixture {
protected:
    AnalogOutputTest() : OutputWindowFixture(AnalogOutputRow()) {}
};

TEST_F(AnalogOutputTest, OpensOnTheDriversSourceAndMetersIt) {
    Card([](simcard::CardStateLayout& state) { state.hardware[0].analogOutputSource = simcard::kSourceAnalogInput; });
    Open(2);
    ASSERT_TRUE(window->Initialised());
    EXPECT_TRUE(Route(0, SourceAnalogInput)->Checked());
    EXPECT_TRUE(Route(1, SourceProgram)->Checked());

    const auto set = TracedMessages(driver::OutSetRoute);
    ASSERT_EQ(set.size(), 2u) << "each card's source is applied at show";
    EXPECT_EQ(set[0].handle, Handle(0));
    EXPECT_EQ(set[0].p1 & 0xFF, 2u);
    // Two wave input control handles on card 0's analog input, metered and read.
    const auto inputs = OpenedOn(driver::Direction::Input, driver::DeviceSlot(0, driver::KindAnalog));
    ASSERT_EQ(inputs.size(), 2u);
    const auto started = TracedMessages(driver::InStartMetering);
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].handle, inputs[0]);
    EXPECT_EQ(started[1].handle, inputs[1]);

    StartTrace();
    window->Perform(win::WM_LEVELPOLL, 0, 0);
    const auto read = TracedMessages(driver::InGetLevels);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].handle, inputs[0]);
    EXPECT_EQ(TracedMessages(driver::OutGetLevels).size(), 1u) << "card 1 plays the application";
}

TEST_F(AnalogOutputTest, DigitalChoicesWaitWhileTheDigitalOutputPlaysTheAnalogInput) {
    Card([](simcard::CardStateLayout& state) { state.hardware[0].digitalOutputSource = simcard::kSourceAnalogInput; });
    Open(2);
    EXPECT_FALSE(Route(0, SourceOtherOutput)->Enabled());
    EXPECT_FALSE(Route(0, SourceDigitalInput)->Enabled());
    EXPECT_TRUE(Route(0, SourceAnalogInput)->Enabled());
    EXPECT_TRUE(Route(1, SourceOtherOutput)->Enabled());

    Card([](simcard::CardStateLayout& state) { state.hardware[0].digitalOutputSource = simcard::kSourceApplication; });
    Tick();
    EXPECT_TRUE(Route(0, SourceOtherOutput)->Enabled());
    EXPECT_TRUE(Route(0, SourceDigitalInput)->Enabled());
}

TEST_F(AnalogOutputTest, ARefusedChangeSaysSoOnceAndKeepsThePreviousSource) {
    Open(1);
    RunTool({"refuse-route", "1", "on"});
    MessageBoxCapture boxes;
    StartTrace();
    Route(0, SourceAnalogInput)->SetChecked(true);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, "Kova 2 Fehler");
    EXPECT_EQ(boxes.boxes[0].text,
              "Kein Adat-Monitoring möglich.\r\nDas Wiedergabegerät wird durch eine andere Anwendung benutzt.");
    EXPECT_EQ(boxes.boxes[0].type, win::MB_ICONERROR);
    EXPECT_TRUE(Route(0, SourceProgram)->Checked());
    EXPECT_EQ(Output()->Routes().Applied(0), SourceProgram);
    EXPECT_EQ(Output()->SourceHandles()[0], 0u);
    EXPECT_TRUE(OpenedOn(driver::Direction::Input, driver::DeviceSlot(0, driver::KindAnalog)).empty());
    EXPECT_TRUE(RefreshTimer()->Enabled());
    EXPECT_NE(window->Timers().PollId(), 0u) << "the meters go on";
    Card([](simcard::CardStateLayout& state) { EXPECT_EQ(state.hardware[0].analogOutputSource, 0); });
}

// As a user meets it: the focus on the applied source, a click on another, the box over the window.
TEST_F(AnalogOutputTest, ARefusedClickFallsBackAtOnceToTheRadioThatHadTheFocus) {
    Open(1);
    window->Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
    tk::TRadioButton* program = Route(0, SourceProgram);
    tk::TRadioButton* input = Route(0, SourceAnalogInput);
    program->SetFocus();
    ASSERT_TRUE(QTest::qWaitFor([program] { return program->Focused(); }));
    RunTool({"refuse-route", "1", "on"});
    {
        ModalBoxAnswer answer;
        QTest::mouseClick(input->Widget(), Qt::LeftButton, {}, QPoint(6, 8)); // on its indicator
        EXPECT_EQ(answer.answered, 1);
    }
    EXPECT_TRUE(program->Checked()) << "not only at the next refresh";
    EXPECT_FALSE(input->Checked());
    EXPECT_EQ(Output()->LastRouteButton(0), program);
    EXPECT_EQ(Output()->Routes().Applied(0), SourceProgram);
    EXPECT_NE(window->Timers().PollId(), 0u) << "metered";

    window->Widget()->activateWindow(); // back from the box
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->Widget()));
    QTest::qWait(50);
    EXPECT_EQ(Output()->LastRouteButton(0), program);
    EXPECT_TRUE(program->Checked());
}

TEST_F(AnalogOutputTest, VolumesReadAndSentInTheOutputsScale) {
    Card([](simcard::CardStateLayout& state) { state.hardware[0].outputVolume = {0x0000, 0x2000}; });
    Open(1);
    auto* left = Find<controls::TSlider>("Slider0");
    auto* right = Find<controls::TSlider>("Slider1");
    EXPECT_EQ(left->Position(), 4);
    EXPECT_EQ(right->Position(), 16);
    StartTrace();
    left->SetPosition(127);
    const auto sent = TracedMessages(driver::OutSetVolumes);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].handle, Handle(0));
    EXPECT_EQ(sent[0].p1, 0xFE00FE00u) << "linked: both at the top";
}

TEST_F(AnalogOutputTest, AMuteGoesOnItsCardsFirstPlaybackHandle) {
    Open(4);
    StartTrace();
    auto* mute = OfCard<tk::TSpeedButton>(2)[1];
    mute->SetDown(true);
    mute->Click();
    const auto sent = TracedMessages(driver::OutSetMutes);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].handle, Handle(4));
    EXPECT_EQ(sent[0].p1, 0xFFFF0000u);
}

TEST_F(AnalogOutputTest, DestructionLetsGoOfTheSourceAndBothRecords) {
    Card([](simcard::CardStateLayout& state) { state.hardware[1].analogOutputSource = simcard::kSourceDigitalInput; });
    Discover(2);
    const win::DWORD blocksBefore = platform::LiveHeapBlocks();
    Open(2);
    const windows::HandleTable sources = Output()->SourceHandles();
    ASSERT_NE(sources[2], 0u);
    CloseWindow();
    for (const std::size_t entry : {2u, 3u})
        EXPECT_EQ(win::waveInMessage(sources[entry], driver::InStopMetering, 0, 0), win::MMSYSERR_INVALHANDLE);
    EXPECT_EQ(platform::LiveHeapBlocks(), blocksBefore);
}

TEST_F(AnalogOutputTest, ChoosingASourceEnablesTheControlWindowsDigitalBoxes) {
    Open(1);
    host->digitalEnables = 0;
    Route(0, SourceAnalogInput)->SetChecked(true);
    EXPECT_EQ(host->digitalEnables, 1);
}

// A source whose device cannot be opened falls back to the previous one without a word, and the driver
// plays the previous one again.
TEST_F(AnalogOutputTest, ASourceThatCannotBeOpenedFallsBackSilently) {
    Open(1);
    driver::WaveInIds[driver::DeviceSlot(0, driver::KindAnalog)] = -1;
    MessageBoxCapture boxes;
    Route(0, SourceAnalogInput)->SetChecked(true);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(Route(0, SourceProgram)->Checked());
    EXPECT_EQ(Output()->Routes().Applied(0), SourceProgram);
    EXPECT_EQ(Output()->SourceHandles()[0], 0u);
    EXPECT_TRUE(RefreshTimer()->Enabled());
    Card([](simcard::CardStateLayout& state) { EXPECT_EQ(state.hardware[0].analogOutputSource, 0); });
}

// Byte 3 counts the users of the analog input's path; the window's own two metering handles count
// only while it meters that input.
TEST_F(AnalogOutputTest, OneUserOfTheAnalogInputsPathRulesOutTheDigitalChoices) {
    Open(1);
    RunTool({"playback", "1", "on"});
    Tick();
    EXPECT_EQ(Output()->Routes().OwnRecord(0)->users, 1);
    EXPECT_FALSE(Route(0, SourceOtherOutput)->Enabled());
    EXPECT_FALSE(Route(0, SourceDigitalInput)->Enabled());

    RunTool({"playback", "1", "off"});
    Route(0, SourceAnalogInput)->SetChecked(true);
    Tick();
    EXPECT_EQ(Output()->Routes().OwnRecord(0)->users, 2);
    EXPECT_TRUE(Route(0, SourceOtherOutput)->Enabled());
    EXPECT_TRUE(Route(0, SourceDigitalInput)->Enabled());
}

// ---- the digital output window

class DigitalOutputTest : public OutputWindowFixture {
protected:
    DigitalOutputTest() : OutputWindowFixture(DigitalOutputRow()) {}

    // Card's format radios: Audio, then Non-Audio.
    std::vector<tk::TRadioButton*> Formats(int card) const {
        std::vector<tk::TRadioButton*> formats;
        for (tk::TRadioButton* radio : OfCard<tk::TRadioButton>(card))
            if (radio->Caption().contains(QStringLiteral("Audio"))) formats.push_back(radio);
        return formats;
    }
};

TEST_F(DigitalOutputTest, AnotherProgramsChoiceIsPickedUpWithinASecond) {
    Open(2);
    EXPECT_TRUE(Route(1, SourceProgram)->Checked());
    EXPECT_EQ(RefreshTimer()->Interval(), 1000);
    EXPECT_TRUE(RefreshTimer()->Enabled());
    host->routeRefreshes.clear();
    ASSERT_EQ(RunTool({"route", "2", "digital", "3"}).exitCode, 0);
    StartTrace();
    Tick();
    EXPECT_TRUE(Route(1, SourceDigitalInput)->Checked());
    const auto set = TracedMessages(driver::OutSetRoute);
    ASSERT_EQ(set.size(), 1u);
    EXPECT_EQ(set[0].p1 & 0xFF, 3u);
    const auto inputs = OpenedOn(driver::Direction::Input, driver::DeviceSlot(1, driver::KindDigital));
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(TracedMessages(driver::InStartMetering).size(), 2u);
    StartTrace();
    window->Perform(win::WM_LEVELPOLL, 0, 0);
    const auto read = TracedMessages(driver::InGetLevels);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].handle, inputs[0]);
    EXPECT_EQ(host->routeRefreshes, std::vector<tk::TForm*>{window}) << "the analog output window is asked to follow";
}

TEST_F(DigitalOutputTest, AnalogChoicesFollowTheAnalogOutputAndTheDigitalInputsUsers) {
    Card([](simcard::CardStateLayout& state) { state.hardware[0].digitalOutputSource = simcard::kSourceDigitalInput; });
    Open(1);
    ASSERT_TRUE(window->Metering());
    Tick(); // the first refresh ran before the metering started
    // Metering the digital input through its own two handles: a count of 2 is the window itself.
    EXPECT_EQ(Output()->Routes().OwnRecord(0)->users, 2);
    EXPECT_TRUE(Route(0, SourceOtherOutput)->Enabled());
    EXPECT_TRUE(Route(0, SourceAnalogInput)->Enabled());

    RunTool({"playback", "1", "on"}); // a third user
    Tick();
    EXPECT_EQ(Output()->Routes().OwnRecord(0)->users, 3);
    EXPECT_FALSE(Route(0, SourceOtherOutput)->Enabled());
    EXPECT_FALSE(Route(0, SourceAnalogInput)->Enabled());

    RunTool({"playback", "1", "off"});
    RunTool({"route", "1", "analog", "3"});
    Tick();
    EXPECT_FALSE(Route(0, SourceOtherOutput)->Enabled()) << "the analog output plays the digital input";
    EXPECT_TRUE(Route(0, SourceProgram)->Enabled());
}

TEST_F(DigitalOutputTest, OneUserOfTheDigitalInputsPathRulesOutTheAnalogChoices) {
    Open(1);
    EXPECT_TRUE(Route(0, SourceAnalogInput)->Enabled());
    RunTool({"playback", "1", "on"});
    Tick();
    EXPECT_EQ(Output()->Routes().OwnRecord(0)->users, 1);
    EXPECT_FALSE(Route(0, SourceOtherOutput)->Enabled());
    EXPECT_FALSE(Route(0, SourceAnalogInput)->Enabled());
    EXPECT_EQ(host->digitalEnables, 0) << "only the analog output window enables the digital boxes";
}

// A refresh asked for by the other output window while this one's refresh runs returns at once.
TEST_F(DigitalOutputTest, ARefreshAskedForWhileOneRunsReturnsAtOnce) {
    Open(1);
    host->onRouteRefresh = [this] { Output()->RefreshRoutes(); };
    host->routeRefreshes.clear();
    RunTool({"route", "1", "digital", "3"});
    StartTrace();
    Tick();
    EXPECT_TRUE(Route(0, SourceDigitalInput)->Checked());
    EXPECT_EQ(host->routeRefreshes.size(), 1u);
    EXPECT_EQ(TracedMessages(driver::OutGetRoute).size(), 2u) << "each output's record read once";
}

TEST_F(DigitalOutputTest, ARefusedChangeKeepsThePreviousSourceSilently) {
    Open(1);
    RunTool({"refuse-route", "1", "on"});
    MessageBoxCapture boxes;
    StartTrace();
    Route(0, SourceAnalogInput)->SetChecked(true);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(Route(0, SourceProgram)->Checked());
    EXPECT_EQ(Output()->Routes().Applied(0), SourceProgram);
    EXPECT_TRUE(OpenedOn(driver::Direction::Input, driver::DeviceSlot(0, driver::KindAnalog)).empty());
    EXPECT_EQ(Output()->LastRouteButton(0), Route(0, SourceProgram));
}

TEST_F(DigitalOutputTest, FormatRadiosShowAndSetTheOutputFormat) {
    Card([](simcard::CardStateLayout& state) { state.hardware[1].digitalFormat = simcard::kFormatNonAudio; });
    Open(2);
    const auto formats0 = Formats(0);
    const auto formats1 = Formats(1);
    EXPECT_TRUE(formats0[0]->Checked()); // Audio
    EXPECT_TRUE(formats1[1]->Checked()); // Non-Audio
    StartTrace();
    formats0[1]->SetChecked(true);
    formats1[0]->SetChecked(true);
    const auto sent = TracedMessages(driver::OutSetFormat);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].handle, Handle(0));
    EXPECT_EQ(sent[0].p1, 0u);
    EXPECT_EQ(sent[1].handle, Handle(2));
    EXPECT_EQ(sent[1].p1, 1u);
}

} // namespace
} // namespace windows_test
