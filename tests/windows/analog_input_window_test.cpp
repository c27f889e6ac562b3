// The analog input window against the simulated card: what it sends for each control and what it
// shows of the driver's state. What it shares with every channel window is tested with its row.
#include "controls/window_helpers.h"
#include "driver/wave_messages.h"
#include "platform/win_records.h"
#include "platform/wow16.h"
#include "tests/windows/channel_window_fixture.h"
#include "toolkit/bevel.h"
#include "windows/analog_input_window.h"

#include <gtest/gtest.h>

namespace windows_test {
namespace {

class AnalogInputWindowTest : public ChannelWindowFixture {
protected:
    AnalogInputWindowTest() : ChannelWindowFixture(AnalogInputRow()) {}

    windows::TfrmAnalogInp* Input() const { return static_cast<windows::TfrmAnalogInp*>(window); }
};

// The window on a driver that refuses the last card's metering start.
class RefusedMeteringInput : public windows::TfrmAnalogInp {
public:
    using TfrmAnalogInp::TfrmAnalogInp;

protected:
    bool SendCardMeteringStart(int card) override {
        TfrmAnalogInp::SendCardMeteringStart(card);
        return card != driver::CardCount - 1;
    }
};

TEST_F(AnalogInputWindowTest, ARefusedMeteringStartLeavesMeteringOffAndTheTimersStopWithTheSection) {
    Discover(2);
    StartTrace();
    window = tk::CreateForm<RefusedMeteringInput>(control, *host);
    instances = OpenedInstances("wavein");
    window->Show();
    EXPECT_FALSE(window->Metering());
    EXPECT_NE(window->Timers().PollId(), 0u) << "the shown level section is polled all the same";
    simcard::ClearTrace();
    Find<tk::TCheckBox>("chkPeakMeter")->SetChecked(false);
    EXPECT_EQ(window->Timers().TickId(), 0u);
    EXPECT_EQ(window->Timers().PollId(), 0u);
    const auto stops = TracedMessages(driver::InStopMetering);
    ASSERT_EQ(stops.size(), 1u) << "only the card that accepted meters";
    EXPECT_EQ(stops[0].handle, Handle(0));
}

TEST_F(AnalogInputWindowTest, ClonesNumberedFadersMetersAndLinkBoxesPerCard) {
    Open(4);
    ASSERT_TRUE(window->Initialised());
    for (int number = 0; number < 8; ++number) {
        auto* fader = Find<controls::TSlider>(QStringLiteral("Slider%1").arg(number));
        ASSERT_NE(fader, nullptr) << number;
        EXPECT_EQ(fader->Number(), number);
        EXPECT_EQ(fader->Parent()->Tag(), number / 2);
        ASSERT_NE(window->Meter(number), nullptr);
        EXPECT_EQ(window->Meter(number)->Parent()->Tag(), number / 2);
    }
    for (const char* name : {"chkLink12", "chkLink34", "chkLink56", "chkLink78"}) {
        auto* link = Find<tk::TCheckBox>(QString::fromLatin1(name));
        ASSERT_NE(link, nullptr) << name;
        EXPECT_EQ(link->Tag(), -1);
        EXPECT_EQ(link->Hint(), QStringLiteral("Verbinde/Trenne Fader %1-%2").arg(name[7]).arg(name[8]));
    }
    EXPECT_EQ(Find<controls::TSlider>("Slider7")->LinkCheck(), Find<tk::TCheckBox>("chkLink78"));
    // One separator line, under card 0's monitoring only.
    int bevels = 0;
    for (tk::TComponent* component : window->ComponentList()) bevels += qobject_cast<tk::TBevel*>(component) != nullptr;
    EXPECT_EQ(bevels, 1);
}

TEST_F(AnalogInputWindowTest, SystemMenuMirrorsTheCheckBoxPanel) {
    Open(2);
    QStringList texts;
    for (const tk::TSystemMenu::Entry& entry : window->SystemMenu().Entries())
        if (entry.command >= 0x100 && entry.command < 0xF000) texts << entry.text + (entry.checked ? "*" : "");
    EXPECT_EQ(texts, QStringList({" &Monitoring*", " P&eak Meter / Fader*", " Fenstersteuerung anzeigen*", " Info..."}));

    auto* routing = Find<tk::TCheckBox>("chkRouting");
    window->Perform(win::WM_SYSCOMMAND, controls::SystemMenuCommand(routing), 0);
    EXPECT_FALSE(routing->Checked());
    EXPECT_FALSE(Find<tk::TPanel>("pnInpMon")->Visible());
    for (const tk::TSystemMenu::Entry& entry : window->SystemMenu().Entries())
        if (entry.command == controls::SystemMenuCommand(routing)) {
            EXPECT_FALSE(entry.checked);
        }
    const int height = window->Height();
    window->Perform(win::WM_SYSCOMMAND, controls::SystemMenuCommand(Find<tk::TPanel>("pnChecks")), 0);
    EXPECT_FALSE(Find<tk::TPanel>("pnChecks")->Visible());
    EXPECT_EQ(window->Height(), height - 50);
}

TEST_F(AnalogInputWindowTest, MonitoringChoicesComeFromTheDriverAndGoBackWithTheRecord) {
    Card([](simcard::CardStateLayout& state) {
        state.hardware[1].analogInputState = {0, simcard::kMonitorToDigitalOut, 1};
    });
    Open(3);
    ASSERT_TRUE(window->Initialised());
    const auto radios = OfCard<tk::TRadioButton>(1);
    ASSERT_EQ(radios.size(), 5u);
    EXPECT_TRUE(radios[1]->Checked()); // digital output
    EXPECT_TRUE(radios[3]->Checked()); // while recording
    const win::DWORD held = driver::InputStateValue(*Input()->MonitorRecord(1));

    StartTrace();
    auto* punch = radios[4];
    ASSERT_EQ(punch->Caption(), QStringLiteral("bei &Punch Aufnahmen"));
    punch->SetChecked(true);
    const auto sent = TracedMessages(driver::InSetInputState);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].handle, Handle(2));
    EXPECT_EQ(sent[0].p1, (held & 0xFF00FFFFu) | 0x00020000u);
    Card([](simcard::CardStateLayout& state) {
        EXPECT_EQ(state.hardware[1].analogInputState[2], simcard::kMonitorWhilePunchRecording);
    });
}

TEST_F(AnalogInputWindowTest, FaderPairsTravelAsOneValueOnTheMovedFadersHandle) {
    Card([](simcard::CardStateLayout& state) { state.hardware[0].inputGain = {0x5F00, 0xA400}; });
    Open(2);
    auto* left = Find<controls::TSlider>("Slider0");
    auto* right = Find<controls::TSlider>("Slider1");
    EXPECT_EQ(left->Position(), 95);
    EXPECT_EQ(right->Position(), 164);
    EXPECT_TRUE(TracedMessages(driver::InSetGains).empty()) << "reading the faders sends nothing back";

    Find<tk::TCheckBox>("chkLink12")->SetChecked(false);
    simcard::ClearTrace();
    right->SetPosition(100);
    EXPECT_EQ(left->Position(), 95);
    auto sent = TracedMessages(driver::InSetGains);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].handle, Handle(1));
    EXPECT_EQ(sent[0].p1, 0x64005F00u);

    // Linking brings the right fader to the left one, and then both move together.
    simcard::ClearTrace();
    Find<tk::TCheckBox>("chkLink12")->SetChecked(true);
    EXPECT_EQ(right->Position(), 95);
    sent = TracedMessages(driver::InSetGains);
    ASSERT_FALSE(sent.empty());
    for (const WaveMessage& message : sent) EXPECT_EQ(message.p1, 0x5F005F00u);
    simcard::ClearTrace();
    left->SetPosition(120);
    EXPECT_EQ(right->Position(), 120);
    sent = TracedMessages(driver::InSetGains);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].handle, Handle(0));
    EXPECT_EQ(sent[0].p1, 0x78007800u);
}

TEST_F(AnalogInputWindowTest, MutesShowTheDriversStateAndSendBothChannelsOfTheCard) {
    Card([](simcard::CardStateLayout& state) { state.hardware[2].inputMute = {0, 0xFFFF}; });
    Open(4);
    for (int card = 0; card < 4; ++card) {
        const auto mutes = OfCard<tk::TSpeedButton>(card);
        ASSERT_EQ(mutes.size(), 2u) << card;
        EXPECT_FALSE(mutes[0]->Down());
        EXPECT_EQ(mutes[1]->Down(), card == 2);
    }
    StartTrace();
    const auto mutes = OfCard<tk::TSpeedButton>(3);
    mutes[0]->SetDown(true);
    mutes[0]->Click();
    const auto sent = TracedMessages(driver::InSetMutes);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].handle, Handle(6));
    EXPECT_EQ(sent[0].p1, 0x0000FFFFu);
}

TEST_F(AnalogInputWindowTest, LevelsFollowTheGainAndTheMute) {
    Open(1);
    auto poll = [this] {
        window->Perform(win::WM_LEVELPOLL, 0, 0);
        return window->Meter(0)->Level();
    };
    // The card's programme changes with time: each comparison reads twice in a row.
    auto* fader = Find<controls::TSlider>("Slider0");
    for (int i = 0; i < 5; ++i) {
        fader->SetPosition(164);
        const int loud = poll();
        fader->SetPosition(31);
        EXPECT_LT(poll(), loud);
    }
    fader->SetPosition(164);
    auto* mute = OfCard<tk::TSpeedButton>(0)[0];
    mute->SetDown(true);
    mute->Click();
    EXPECT_EQ(poll(), 0);
    EXPECT_GT(window->Meter(1)->Level(), 0);
}

TEST_F(AnalogInputWindowTest, ACardThatStopsAnsweringShowsSilenceNotAnotherCardsLevels) {
    Open(2);
    for (const char* name : {"Slider0", "Slider1"}) Find<controls::TSlider>(QString::fromLatin1(name))->SetPosition(164);
    Card([](simcard::CardStateLayout& state) { state.cardCount = 1; }); // card 2 goes while the window is open
    window->Perform(win::WM_LEVELPOLL, 0, 0);
    EXPECT_GT(window->Meter(0)->Level(), 0);
    EXPECT_EQ(window->Meter(2)->Level(), 0);
    EXPECT_EQ(window->Meter(3)->Level(), 0);
}

// A strip whose monitoring record could not be had keeps the window open but inert: its choices
// reach neither the record nor the driver.
TEST_F(AnalogInputWindowTest, AStripWithoutItsRecordIgnoresItsMonitoringChoices) {
    Discover(2);
    const win::DWORD blocksBefore = platform::LiveHeapBlocks();
    Create();
    ASSERT_TRUE(window->Initialised());
    std::vector<win::DWORD> filler;
    while (const win::DWORD block = win::WOWGlobalAllocLock16(win::GMEM_FIXED, 4, nullptr)) filler.push_back(block);
    win::WOWGlobalUnlockFree16(filler.back()); // room for card 0's record only
    filler.pop_back();
    window->Show();
    for (const win::DWORD block : filler) win::WOWGlobalUnlockFree16(block);
    EXPECT_FALSE(window->Initialised());
    EXPECT_TRUE(window->Visible());
    EXPECT_FALSE(Input()->MonitorRecord(1));

    StartTrace();
    const auto radios = OfCard<tk::TRadioButton>(1);
    ASSERT_EQ(radios.size(), 5u);
    radios[1]->SetChecked(true);
    radios[4]->SetChecked(true);
    EXPECT_TRUE(TracedMessages(driver::InSetInputState).empty());
    CloseWindow();
    EXPECT_EQ(platform::LiveHeapBlocks(), blocksBefore);
}

TEST_F(AnalogInputWindowTest, AWindowWhoseStartupReadsFailedSendsNothingItNeverRead) {
    Card([](simcard::CardStateLayout& state) {
        state.hardware[0].inputGain = {0x9000, 0x9000};
        state.hardware[0].inputMute = {0, 0xFFFF};
    });
    Discover(2);
    Create();
    ASSERT_TRUE(window->Initialised());
    Card([](simcard::CardStateLayout& state) { state.cardCount = 1; }); // card 2's mute read fails
    window->Show();
    ASSERT_FALSE(window->Initialised());

    StartTrace();
    Find<tk::TCheckBox>("chkLink12")->SetChecked(false);
    Find<controls::TSlider>("Slider0")->SetPosition(100);
    auto* mute = OfCard<tk::TSpeedButton>(0)[0];
    mute->SetDown(true);
    mute->Click();
    EXPECT_TRUE(TracedMessages(driver::InSetGains).empty());
    EXPECT_TRUE(TracedMessages(driver::InSetMutes).empty());
    Card([](simcard::CardStateLayout& state) {
        EXPECT_EQ(state.hardware[0].inputGain[1], 0x9000);
        EXPECT_EQ(state.hardware[0].inputMute[1], 0xFFFF);
    });
}

TEST_F(AnalogInputWindowTest, ViewStateSurvivesReopeningWhileMixerValuesComeFromTheDriver) {
    Open(2);
    const int full = window->Height();
    Find<tk::TCheckBox>("chkRouting")->SetChecked(false);
    Find<tk::TCheckBox>("chkLink34")->SetChecked(false);
    window->ToggleControlPanel();
    Find<controls::TSlider>("Slider0")->SetPosition(50);
    CloseWindow();

    Card([](simcard::CardStateLayout& state) { state.hardware[0].inputGain = {0x7000, 0x7000}; });
    Open(2);
    EXPECT_FALSE(Find<tk::TCheckBox>("chkRouting")->Checked());
    EXPECT_FALSE(Find<tk::TCheckBox>("chkLink34")->Checked());
    EXPECT_TRUE(Find<tk::TCheckBox>("chkLink12")->Checked());
    EXPECT_FALSE(Find<tk::TPanel>("pnChecks")->Visible());
    EXPECT_EQ(window->Height(), full - 121 - 50);
    EXPECT_EQ(window->ContentHeight(), window->Height());
    EXPECT_EQ(Find<controls::TSlider>("Slider0")->Position(), 0x70);
}

} // namespace
} // namespace windows_test
