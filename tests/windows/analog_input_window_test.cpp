// The analog input window against the simulated card: what it sends for each control, what it shows
// of the driver's state, and how its sections size the window.
#include "controls/window_helpers.h"
#include "driver/wave_messages.h"
#include "platform/win_records.h"
#include "platform/wow16.h"
#include "toolkit/bevel.h"
#include "toolkit/label.h"
#include "tests/windows/analog_input_window_fixture.h"

#include <gtest/gtest.h>

namespace windows_test {
namespace {

constexpr int kFrameHeight = 27; // a sizeable window's title bar and borders

TEST_F(AnalogInputWindowTest, ClonesOneNumberedStripPerCard) {
    Open(4);
    ASSERT_TRUE(window->Initialised());
    QStringList headers;
    for (tk::TComponent* component : window->ComponentList())
        if (auto* label = qobject_cast<tk::TLabel*>(component); label && label->Parent() == Find<tk::TPanel>("pnHeader"))
            headers << label->Caption();
    EXPECT_EQ(headers, QStringList({"Karte #1", "Karte #2", "Karte #3", "Karte #4"}));
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

TEST_F(AnalogInputWindowTest, SizeLimitsFollowTheCardsAndTheContent) {
    struct Case {
        int cards;
        int widest;
        int contentClient; // pixels under the title bar with every section shown
    };
    for (const Case& c : {Case{1, 197, 398}, Case{2, 370, 417}, Case{4, 716, 417}}) {
        Open(c.cards);
        ASSERT_TRUE(window->Initialised());
        EXPECT_EQ(window->ContentHeight(), kFrameHeight + c.contentClient) << c.cards;
        EXPECT_EQ(window->Height(), window->ContentHeight());
        win::MINMAXINFO info{};
        tk::TMessage message{win::WM_GETMINMAXINFO, 0, 0, -1, &info};
        window->Perform(message);
        EXPECT_EQ(message.Result, 0);
        EXPECT_EQ(info.ptMaxTrackSize.x, c.widest);
        EXPECT_EQ(info.ptMaxSize.x, c.widest);
        EXPECT_EQ(info.ptMinTrackSize.x, 191);
        EXPECT_EQ(info.ptMinTrackSize.y, window->ContentHeight());
        EXPECT_EQ(info.ptMaxTrackSize.y, window->ContentHeight());
        window->SetBounds(window->Left(), window->Top(), 2000, 2000);
        EXPECT_EQ(window->Width(), c.widest);
        EXPECT_EQ(window->Height(), window->ContentHeight());
        CloseWindow();
    }
}

TEST_F(AnalogInputWindowTest, OneCardHasNoHeaderBand) {
    Open(1);
    EXPECT_FALSE(Find<tk::TPanel>("pnHeader")->Visible());
    EXPECT_EQ(Find<tk::TPanel>("pnMeters")->Top(), 147 - 19);
    EXPECT_EQ(Find<tk::TPanel>("grpInput")->Height(), 367 - 19);
}

TEST_F(AnalogInputWindowTest, SectionsChangeTheWindowByExactlyTheirHeight) {
    Open(2);
    auto* routing = Find<tk::TCheckBox>("chkRouting");
    auto* peak = Find<tk::TCheckBox>("chkPeakMeter");
    auto* meters = Find<tk::TPanel>("pnMeters");
    const int full = window->Height();

    routing->SetChecked(false);
    EXPECT_EQ(meters->Top(), 147 - 121);
    EXPECT_EQ(window->Height(), full - 121);
    EXPECT_EQ(window->ContentHeight(), window->Height());

    peak->SetChecked(false);
    EXPECT_FALSE(Find<tk::TPanel>("grpInput")->Visible());
    EXPECT_EQ(window->Height(), kFrameHeight + 50); // the check-box panel only
    EXPECT_EQ(window->ContentHeight(), window->Height());

    peak->SetChecked(true);
    EXPECT_EQ(window->Height(), full - 121);
    routing->SetChecked(true);
    EXPECT_EQ(window->Height(), full);
    EXPECT_EQ(meters->Top(), 147);

    window->ToggleControlPanel();
    EXPECT_EQ(window->Height(), full - 50);
    EXPECT_FALSE(Find<tk::TPanel>("pnChecks")->Visible());
    EXPECT_EQ(Find<tk::TPanel>("grpInput")->Height(), window->ClientHeight());
    window->ToggleControlPanel();
    EXPECT_EQ(window->Height(), full);
    EXPECT_EQ(window->ContentHeight(), full);
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
    const win::DWORD held = driver::InputStateValue(*window->MonitorRecord(1));

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

TEST_F(AnalogInputWindowTest, MeteringRunsWhileTheLevelSectionIsShown) {
    Open(2);
    EXPECT_TRUE(window->Metering());
    EXPECT_NE(window->Timers().TickId(), 0u);
    EXPECT_NE(window->Timers().PollId(), 0u);
    auto started = TracedMessages(driver::InStartMetering);
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].handle, Handle(0));
    EXPECT_EQ(started[1].handle, Handle(2));

    Find<tk::TCheckBox>("chkPeakMeter")->SetChecked(false);
    EXPECT_FALSE(window->Metering());
    EXPECT_EQ(window->Timers().TickId(), 0u);
    EXPECT_EQ(window->Timers().PollId(), 0u);
    EXPECT_EQ(TracedMessages(driver::InStopMetering).size(), 2u);

    Find<tk::TCheckBox>("chkPeakMeter")->SetChecked(true);
    EXPECT_TRUE(window->Metering());
    simcard::ClearTrace();
    const win::HWND handle = window->Handle();
    window->Close();
    EXPECT_FALSE(window->Metering());
    EXPECT_EQ(window->Timers().TickId(), 0u);
    EXPECT_EQ(window->Timers().PollId(), 0u);
    EXPECT_EQ(TracedMessages(driver::InStopMetering).size(), 2u);
    application->ProcessMessages();
    EXPECT_EQ(closedReports, std::vector<win::LPARAM>{win::LPARAM(handle)});
}

TEST_F(AnalogInputWindowTest, AWindowFreedWithoutClosingStopsMeteringToo) {
    Open(2);
    simcard::ClearTrace();
    window->Free();
    window = nullptr;
    EXPECT_EQ(TracedMessages(driver::InStopMetering).size(), 2u);
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
    Card([](simcard::CardStateLayout& state) { state.cardCount = 2; });
    platform::WaveDriverSet::Install();
    driver::DiscoverDevices();
    const win::DWORD blocksBefore = platform::LiveHeapBlocks();
    window = tk::CreateForm<windows::TfrmAnalogInp>(control);
    ASSERT_TRUE(window->Initialised());
    std::vector<win::DWORD> filler;
    while (const win::DWORD block = win::WOWGlobalAllocLock16(win::GMEM_FIXED, 4, nullptr)) filler.push_back(block);
    win::WOWGlobalUnlockFree16(filler.back()); // room for card 0's record only
    filler.pop_back();
    window->Show();
    for (const win::DWORD block : filler) win::WOWGlobalUnlockFree16(block);
    EXPECT_FALSE(window->Initialised());
    EXPECT_TRUE(window->Visible());
    EXPECT_FALSE(window->MonitorRecord(1));

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
        state.cardCount = 2;
        state.hardware[0].inputGain = {0x9000, 0x9000};
        state.hardware[0].inputMute = {0, 0xFFFF};
    });
    platform::WaveDriverSet::Install();
    driver::DiscoverDevices();
    window = tk::CreateForm<windows::TfrmAnalogInp>(control);
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

TEST_F(AnalogInputWindowTest, AWindowThatCannotOpenItsHandlesStaysInertAndLeavesNothingOpen) {
    Card([](simcard::CardStateLayout& state) { state.cardCount = 2; });
    platform::WaveDriverSet::Install();
    driver::DiscoverDevices();
    const win::DWORD blocksBefore = platform::LiveHeapBlocks();
    driver::WaveInIds[2] = -1; // card 1's analog input is gone
    window = tk::CreateForm<windows::TfrmAnalogInp>(control);
    EXPECT_FALSE(window->Initialised());
    EXPECT_NE(window->InputHandles()[0], 0u);
    const win::HWAVE opened = window->InputHandles()[0];
    window->Show(); // shown all the same: nothing happens
    EXPECT_FALSE(window->Metering());
    CloseWindow();
    EXPECT_EQ(win::waveInMessage(opened, driver::InStopMetering, 0, 0), win::MMSYSERR_INVALHANDLE);
    EXPECT_EQ(platform::LiveHeapBlocks(), blocksBefore);
}

TEST_F(AnalogInputWindowTest, AWindowThatNeverRestoredItsStateLeavesTheSavedOneAlone) {
    Open(2);
    Find<tk::TCheckBox>("chkRouting")->SetChecked(false);
    CloseWindow();

    driver::WaveInIds[2] = -1;
    window = tk::CreateForm<windows::TfrmAnalogInp>(control);
    ASSERT_FALSE(window->Initialised());
    CloseWindow();

    Open(2);
    EXPECT_FALSE(Find<tk::TCheckBox>("chkRouting")->Checked());
}

TEST_F(AnalogInputWindowTest, DestructionReleasesEveryBlockAndHandle) {
    Card([](simcard::CardStateLayout& state) { state.cardCount = 3; });
    platform::WaveDriverSet::Install();
    driver::DiscoverDevices();
    const win::DWORD blocksBefore = platform::LiveHeapBlocks();
    Open(3);
    const windows::HandleTable handles = window->InputHandles();
    CloseWindow();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(win::waveInMessage(handles[std::size_t(i)], driver::InStopMetering, 0, 0), win::MMSYSERR_INVALHANDLE);
    EXPECT_EQ(platform::LiveHeapBlocks(), blocksBefore);
}

} // namespace
} // namespace windows_test
