// The frame under every channel window: size limits, sections, metering, the host and the lifetime
// of handles and blocks, once per window row.
#include "platform/win_records.h"
#include "platform/wow16.h"
#include "tests/windows/channel_window_fixture.h"
#include "toolkit/label.h"

#include <gtest/gtest.h>

namespace windows_test {
namespace {

// Where control sits within ancestor, in pixels.
int LeftWithin(const tk::TControl* control, const tk::TControl* ancestor) {
    int left = 0;
    for (; control && control != ancestor; control = control->Parent())
        left += control->Left();
    return left;
}

TEST_P(ChannelWindowTest, SizeLimitsFollowTheCardsAndTheContent) {
    for (const int cards : {1, 2, 3, 4}) {
        SCOPED_TRACE(cards);
        const int height = cards == 1 ? row.oneCardOuterHeight : row.outerHeight;
        const int widest = row.widest[std::size_t(cards - 1)];
        Open(cards);
        ASSERT_TRUE(window->Initialised());
        EXPECT_EQ(window->ContentHeight(), height);
        EXPECT_EQ(window->Height(), height);
        EXPECT_EQ(Find<tk::TPanel>(row.sections.level)->Width(), row.levelWidth[std::size_t(cards - 1)]);
        win::MINMAXINFO info{};
        tk::TMessage message{win::WM_GETMINMAXINFO, 0, 0, -1, &info};
        window->Perform(message);
        EXPECT_EQ(message.Result, 0);
        EXPECT_EQ(info.ptMaxTrackSize.x, widest);
        EXPECT_EQ(info.ptMaxSize.x, widest);
        EXPECT_EQ(info.ptMinTrackSize.x, row.narrowest);
        EXPECT_EQ(info.ptMinTrackSize.y, height);
        EXPECT_EQ(info.ptMaxTrackSize.y, height);
        window->SetBounds(window->Left(), window->Top(), 2000, 2000);
        EXPECT_EQ(window->Width(), widest);
        EXPECT_EQ(window->Height(), height);
        CloseWindow();
    }
}

TEST_P(ChannelWindowTest, OneCardHasNoHeaderBand) {
    Open(1);
    EXPECT_FALSE(Find<tk::TPanel>(row.sections.header)->Visible());
    EXPECT_EQ(Find<tk::TPanel>(row.sections.level)->Top(), row.oneCardLevelTop);
    EXPECT_EQ(Find<tk::TPanel>(row.sections.group)->Height(), row.oneCardGroupHeight);
}

TEST_P(ChannelWindowTest, EachCardsStripAndHeaderSitOneStepRightOfThePrevious) {
    Open(4);
    auto* header = Find<tk::TPanel>(row.sections.header);
    auto* level = Find<tk::TPanel>(row.sections.level);
    EXPECT_TRUE(header->Visible());
    QStringList captions;
    std::vector<int> headerLefts;
    for (tk::TComponent* component : window->ComponentList())
        if (auto* label = qobject_cast<tk::TLabel*>(component); label && label->Parent() == header) {
            captions << label->Caption();
            headerLefts.push_back(label->Left());
        }
    EXPECT_EQ(captions, QStringList({"Karte #1", "Karte #2", "Karte #3", "Karte #4"}));
    ASSERT_EQ(headerLefts.size(), 4u);
    for (int card = 1; card < 4; ++card) {
        EXPECT_EQ(headerLefts[std::size_t(card)] - headerLefts[0], row.stripStep * card) << card;
        for (int side = 0; side < 2; ++side) {
            ASSERT_NE(window->Meter(2 * card + side), nullptr);
            EXPECT_EQ(LeftWithin(window->Meter(2 * card + side), level) -
                          LeftWithin(window->Meter(side), level),
                      row.stripStep * card);
        }
    }
}

TEST_P(ChannelWindowTest, SectionsChangeTheWindowByExactlyTheirHeight) {
    Open(2);
    auto* upper = Find<tk::TCheckBox>(row.sections.upperBox);
    auto* peak = Find<tk::TCheckBox>("chkPeakMeter");
    auto* level = Find<tk::TPanel>(row.sections.level);
    auto* group = Find<tk::TPanel>(row.sections.group);
    ASSERT_EQ(window->Height(), row.outerHeight);

    peak->SetChecked(false);
    EXPECT_EQ(window->Height(), row.outerHeight - row.levelHeight);
    EXPECT_EQ(window->ContentHeight(), window->Height());
    peak->SetChecked(true);

    upper->SetChecked(false);
    EXPECT_EQ(level->Top(), row.levelTopWithoutUpper);
    EXPECT_EQ(window->Height(), row.outerHeight - row.upperHeight);
    EXPECT_EQ(window->ContentHeight(), window->Height());

    peak->SetChecked(false);
    EXPECT_FALSE(group->Visible());
    EXPECT_EQ(window->Height(), row.checksOnlyHeight);
    EXPECT_EQ(window->ContentHeight(), window->Height());

    peak->SetChecked(true);
    EXPECT_EQ(window->Height(), row.outerHeight - row.upperHeight);
    upper->SetChecked(true);
    EXPECT_EQ(window->Height(), row.outerHeight);
    EXPECT_EQ(level->Top(), row.levelTop);

    window->ToggleControlPanel();
    EXPECT_EQ(window->Height(), row.outerHeight - row.checksHeight);
    EXPECT_FALSE(Find<tk::TPanel>(row.sections.checks)->Visible());
    EXPECT_EQ(group->Height(), window->ClientHeight());
    window->ToggleControlPanel();
    EXPECT_EQ(window->Height(), row.outerHeight);
    EXPECT_EQ(window->ContentHeight(), row.outerHeight);
}

TEST_P(ChannelWindowTest, MeteringRunsWhileTheLevelSectionIsShown) {
    Open(2);
    EXPECT_TRUE(window->Metering());
    EXPECT_NE(window->Timers().TickId(), 0u);
    EXPECT_NE(window->Timers().PollId(), 0u);
    auto started = TracedMessages(row.startMetering);
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].handle, Handle(0));
    EXPECT_EQ(started[1].handle, Handle(2)) << "card 1's first handle";

    Find<tk::TCheckBox>("chkPeakMeter")->SetChecked(false);
    EXPECT_FALSE(window->Metering());
    EXPECT_EQ(window->Timers().TickId(), 0u);
    EXPECT_EQ(window->Timers().PollId(), 0u);
    EXPECT_EQ(TracedMessages(row.stopMetering).size(), 2u);

    Find<tk::TCheckBox>("chkPeakMeter")->SetChecked(true);
    EXPECT_TRUE(window->Metering());
    simcard::ClearTrace();
    const win::HWND handle = window->Handle();
    window->Close();
    EXPECT_FALSE(window->Metering());
    EXPECT_EQ(window->Timers().TickId(), 0u);
    EXPECT_EQ(window->Timers().PollId(), 0u);
    EXPECT_EQ(TracedMessages(row.stopMetering).size(), 2u);
    EXPECT_EQ(host->closed, std::vector<win::HWND>{handle});
}

TEST_P(ChannelWindowTest, AWindowFreedWithoutClosingStopsMeteringToo) {
    Open(2);
    simcard::ClearTrace();
    window->Free();
    window = nullptr;
    EXPECT_EQ(TracedMessages(row.stopMetering).size(), 2u);
}

TEST_P(ChannelWindowTest, ItsActivationGoesToTheHost) {
    Open(1);
    ASSERT_TRUE(window->OnActivate());
    window->OnActivate()(window);
    window->OnDeactivate()(window);
    EXPECT_EQ(host->activeChanges, 2);
}

TEST_P(ChannelWindowTest, AWindowThatCannotOpenItsHandlesStaysInertAndLeavesNothingOpen) {
    Discover(2);
    const win::DWORD blocksBefore = platform::LiveHeapBlocks();
    row.removeCard1Device();
    Create();
    EXPECT_FALSE(window->Initialised());
    const win::HWAVE opened = row.handles(*window)[0];
    EXPECT_NE(opened, 0u);
    window->Show(); // shown all the same: nothing happens
    EXPECT_FALSE(window->Metering());
    CloseWindow();
    EXPECT_EQ(windows::SendToHandle(row.direction, opened, row.stopMetering, 0), win::MMSYSERR_INVALHANDLE);
    EXPECT_EQ(platform::LiveHeapBlocks(), blocksBefore);
}

TEST_P(ChannelWindowTest, AWindowThatNeverRestoredItsStateLeavesTheSavedOneAlone) {
    Open(2);
    Find<tk::TCheckBox>(row.sections.upperBox)->SetChecked(false);
    CloseWindow();

    row.removeCard1Device();
    Create();
    ASSERT_FALSE(window->Initialised());
    CloseWindow();

    Open(2);
    EXPECT_FALSE(Find<tk::TCheckBox>(row.sections.upperBox)->Checked());
}

TEST_P(ChannelWindowTest, DestructionReleasesEveryBlockAndHandle) {
    Discover(3);
    const win::DWORD blocksBefore = platform::LiveHeapBlocks();
    Open(3);
    const windows::HandleTable handles = row.handles(*window);
    CloseWindow();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(windows::SendToHandle(row.direction, handles[std::size_t(i)], row.stopMetering, 0),
                  win::MMSYSERR_INVALHANDLE);
    EXPECT_EQ(platform::LiveHeapBlocks(), blocksBefore);
}

INSTANTIATE_TEST_SUITE_P(Windows, ChannelWindowTest, testing::Values(AnalogInputRow(), AnalogOutputRow(), DigitalOutputRow(), DigitalInputRow()),
                         [](const testing::TestParamInfo<WindowRow>& info) { return std::string(info.param.name); });

} // namespace
} // namespace windows_test
