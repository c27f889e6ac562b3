// The digital input window against the simulated card: input select and monitoring per card, the
// rate each input is locked to, and its metering, which counts only when the last card accepted it.
// What it shares with every channel window is tested once per window in channel_window_test.cpp.
#include "controls/window_helpers.h"
#include "driver/message_records.h"
#include "driver/wave_messages.h"
#include "simcard/hardware_state.h"
#include "tests/windows/channel_window_fixture.h"
#include "toolkit/label.h"
#include "toolkit/timer.h"
#include "windows/digital_input_window.h"

#include <gtest/gtest.h>

namespace windows_test {
namespace {

class DigitalInputWindowTest : public ChannelWindowFixture {
protected:
    DigitalInputWindowTest() : ChannelWindowFixture(DigitalInputRow()) {}

    windows::TfrmDigInp* Open(int cards) {
        ChannelWindowFixture::Open(cards);
        return Window();
    }
    windows::TfrmDigInp* Window() const { return static_cast<windows::TfrmDigInp*>(window); }

    // Metering started again after the last card went, so that only that card refuses the start.
    void RestartMeteringWithoutTheLastCard(int cards) {
        Open(cards);
        Find<tk::TCheckBox>("chkPeakMeter")->SetChecked(false);
        Card([cards](simcard::CardStateLayout& state) { state.cardCount = cards - 1; });
        Find<tk::TCheckBox>("chkPeakMeter")->SetChecked(true);
    }
};

TEST_F(DigitalInputWindowTest, EachCardHasItsRateLabelAndRadios) {
    Open(4);
    ASSERT_TRUE(window->Initialised());
    const int rateLeft = Window()->RateLabel(0)->Left();
    for (int card = 0; card < 4; ++card) {
        tk::TLabel* rate = Window()->RateLabel(card);
        ASSERT_NE(rate, nullptr) << card;
        EXPECT_EQ(rate->Tag(), card + 1);
        EXPECT_EQ(rate->Left(), rateLeft + 140 * card);
        EXPECT_EQ(OfCard<tk::TRadioButton>(card).size(), 8u) << card;
    }
}

TEST_F(DigitalInputWindowTest, ACheckPanelHiddenThroughTheSystemMenuStaysHiddenWithoutAGap) {
    Open(2);
    QStringList texts;
    for (const tk::TSystemMenu::Entry& entry : window->SystemMenu().Entries())
        if (entry.command >= 0x100 && entry.command < 0xF000)
            texts << entry.text + (entry.checked ? "*" : "");
    EXPECT_EQ(texts, QStringList({" &Routing / Monitoring*", " &Peak Meter*", " Fenstersteuerung anzeigen*",
                                  " Info..."}));
    const int full = window->Height();
    window->Perform(win::WM_SYSCOMMAND, controls::SystemMenuCommand(Find<tk::TPanel>("pnChecks")), 0);
    EXPECT_EQ(window->Height(), full - 49);
    CloseWindow();

    Open(2);
    EXPECT_FALSE(Find<tk::TPanel>("pnChecks")->Visible());
    EXPECT_EQ(window->Height(), full - 49);
    EXPECT_EQ(window->ContentHeight(), window->Height());
    EXPECT_EQ(Find<tk::TPanel>("pnGround")->Height(), window->ClientHeight());
}

TEST_F(DigitalInputWindowTest, RateLabelsFollowTheInputsLock) {
    Card([](simcard::CardStateLayout& state) {
        state.hardware[0].lockRate = 44100;
        state.hardware[1].lockRate = 0;
    });
    Open(2);
    EXPECT_TRUE(TracedMessages(driver::InGetSampleRate).empty()) << "the rates wait for the timer's tick";
    EXPECT_EQ(Window()->RateLabel(0)->Caption(), QString());
    auto* timer = Find<tk::TTimer>("RateTimer");
    EXPECT_TRUE(timer->Enabled());
    EXPECT_EQ(timer->Interval(), 1000);
    timer->OnTimer()(timer);
    EXPECT_EQ(Window()->RateLabel(0)->Caption(), QStringLiteral("44100 Hz"));
    EXPECT_EQ(Window()->RateLabel(1)->Caption(), QStringLiteral("No Lock"));

    Card([](simcard::CardStateLayout& state) {
        state.hardware[0].lockRate = 0;
        state.hardware[1].lockRate = 48000;
    });
    StartTrace();
    timer->OnTimer()(timer);
    EXPECT_EQ(Window()->RateLabel(0)->Caption(), QStringLiteral("No Lock"));
    EXPECT_EQ(Window()->RateLabel(1)->Caption(), QStringLiteral("48000 Hz"));
    const auto asked = TracedMessages(driver::InGetSampleRate);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].handle, Handle(0));
    EXPECT_EQ(asked[1].handle, Handle(2));

    // A card that no longer answers shows no lock, not the rate of the card read before it.
    Card([](simcard::CardStateLayout& state) {
        state.hardware[0].lockRate = 96000;
        state.cardCount = 1;
    });
    timer->OnTimer()(timer);
    EXPECT_EQ(Window()->RateLabel(0)->Caption(), QStringLiteral("96000 Hz"));
    EXPECT_EQ(Window()->RateLabel(1)->Caption(), QStringLiteral("No Lock"));
}

TEST_F(DigitalInputWindowTest, ChoicesComeFromTheDriverAndGoBackWithTheRestOfTheRecord) {
    Card([](simcard::CardStateLayout& state) {
        state.hardware[1].digitalInputState = {2, simcard::kMonitorToAnalogOut, 1};
        state.hardware[1].lockRate = 48000;
    });
    Open(3);
    const auto radios = OfCard<tk::TRadioButton>(1);
    ASSERT_EQ(radios.size(), 8u);
    std::vector<bool> checked;
    for (auto* radio : radios)
        checked.push_back(radio->Checked());
    EXPECT_EQ(checked, std::vector<bool>({false, true, false, true, false, false, true, false}));

    StartTrace();
    auto* cd = radios[2];
    ASSERT_EQ(cd->Caption(), QStringLiteral(" &CD"));
    cd->SetChecked(true);
    auto sent = TracedMessages(driver::InSetInputState);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].handle, Handle(2));
    EXPECT_EQ(sent[0].p1, 0x01010103u); // byte 3 is the driver's (1: a signal), sent back as read
    Card([](simcard::CardStateLayout& state) {
        EXPECT_EQ(state.hardware[1].digitalInputState, (std::array<std::uint8_t, 3>{3, 1, 1}));
    });

    simcard::ClearTrace();
    radios[4]->SetChecked(true); // digital output
    radios[7]->SetChecked(true); // while punch recording
    sent = TracedMessages(driver::InSetInputState);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].p1, 0x01020203u);
    EXPECT_EQ(driver::InputStateValue(*Window()->MonitorRecord(1)), 0x01020203u);
}

TEST_F(DigitalInputWindowTest, ClosingStopsMeteringOnEveryCardBeforeTheControlWindowIsTold) {
    Open(3);
    ASSERT_TRUE(window->Metering());
    std::size_t stopsWhenTold = 0;
    host->onChildClosed = [&] { stopsWhenTold = TracedMessages(driver::InStopMetering).size(); };
    StartTrace();
    window->Close();
    const auto stops = TracedMessages(driver::InStopMetering);
    ASSERT_EQ(stops.size(), 3u);
    for (int card = 0; card < 3; ++card)
        EXPECT_EQ(stops[std::size_t(card)].handle, Handle(2 * card));
    EXPECT_EQ(stopsWhenTold, 3u);
    EXPECT_EQ(host->closed.size(), 1u);
}

// Metering counts only with the last card's acceptance, but a card that accepted meters in the driver
// until it is told to stop, whatever the last card answered.
TEST_F(DigitalInputWindowTest, ClosingStopsTheCardsThatAcceptedWhenTheLastRefused) {
    RestartMeteringWithoutTheLastCard(3);
    ASSERT_FALSE(window->Metering());
    Card([](simcard::CardStateLayout& state) { state.cardCount = 3; }); // back, but it never accepted
    simcard::ClearTrace();
    window->Close();
    const auto stops = TracedMessages(driver::InStopMetering);
    ASSERT_EQ(stops.size(), 2u);
    EXPECT_EQ(stops[0].handle, Handle(0));
    EXPECT_EQ(stops[1].handle, Handle(2));
    EXPECT_FALSE(window->Metering());

    simcard::ClearTrace();
    window->Close();
    EXPECT_TRUE(TracedMessages(driver::InStopMetering).empty()) << "stopped once";
}

// The window meters only when the last card accepted the start; its timers run all the same and
// stop with the window.
TEST_F(DigitalInputWindowTest, MeteringRefusedByTheLastCardLeavesTheFlagClearButNoTimerBehind) {
    RestartMeteringWithoutTheLastCard(2);
    EXPECT_FALSE(window->Metering());
    EXPECT_NE(window->Timers().TickId(), 0u);
    EXPECT_NE(window->Timers().PollId(), 0u);
    window->Perform(win::WM_LEVELPOLL, 0, 0);
    EXPECT_EQ(window->Meter(2)->Level(), 0);

    window->Close();
    EXPECT_EQ(window->Timers().TickId(), 0u);
    EXPECT_EQ(window->Timers().PollId(), 0u);
}

} // namespace
} // namespace windows_test
