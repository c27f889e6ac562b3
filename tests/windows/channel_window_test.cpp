// The frame under every channel window: size limits, sections, metering, the host and the lifetime
// of handles and blocks, once per window row.
#include "platform/win_records.h"
#include "platform/wow16.h"
#include "tests/windows/channel_window_fixture.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace windows_test {
namespace {

constexpr int kFrameHeight = 27; // a sizeable window's title bar and borders

TEST_P(ChannelWindowTest, SizeLimitsFollowTheCardsAndTheContent) {
    for (const int cards : {1, 2, 4}) {
        const int widest = std::max(cards * row.stripWidth + row.widthMargin, row.minWidth);
        const int contentClient = row.designClientHeight - (cards == 1 ? row.headerHeight : 0);
        Open(cards);
        ASSERT_TRUE(window->Initialised());
        EXPECT_EQ(window->ContentHeight(), kFrameHeight + contentClient) << cards;
        EXPECT_EQ(window->Height(), window->ContentHeight());
        win::MINMAXINFO info{};
        tk::TMessage message{win::WM_GETMINMAXINFO, 0, 0, -1, &info};
        window->Perform(message);
        EXPECT_EQ(message.Result, 0);
        EXPECT_EQ(info.ptMaxTrackSize.x, widest);
        EXPECT_EQ(info.ptMaxSize.x, widest);
        EXPECT_EQ(info.ptMinTrackSize.x, row.minTrackWidth ? row.minTrackWidth : row.minWidth);
        EXPECT_EQ(info.ptMinTrackSize.y, window->ContentHeight());
        EXPECT_EQ(info.ptMaxTrackSize.y, window->ContentHeight());
        window->SetBounds(window->Left(), window->Top(), 2000, 2000);
        EXPECT_EQ(window->Width(), widest);
        EXPECT_EQ(window->Height(), window->ContentHeight());
        CloseWindow();
    }
}

TEST_P(ChannelWindowTest, OneCardHasNoHeaderBand) {
    Open(1);
    EXPECT_FALSE(Find<tk::TPanel>(row.sections.header)->Visible());
    EXPECT_EQ(Find<tk::TPanel>(row.sections.level)->Top(), row.levelTop - row.headerHeight);
    EXPECT_EQ(Find<tk::TPanel>(row.sections.group)->Height(), row.groupHeight - row.headerHeight);
}

TEST_P(ChannelWindowTest, SectionsChangeTheWindowByExactlyTheirHeight) {
    Open(2);
    auto* upper = Find<tk::TCheckBox>(row.upperBox);
    auto* peak = Find<tk::TCheckBox>("chkPeakMeter");
    auto* level = Find<tk::TPanel>(row.sections.level);
    auto* group = Find<tk::TPanel>(row.sections.group);
    const int full = window->Height();

    upper->SetChecked(false);
    EXPECT_EQ(level->Top(), row.levelTop - row.upperHeight);
    EXPECT_EQ(window->Height(), full - row.upperHeight);
    EXPECT_EQ(window->ContentHeight(), window->Height());

    peak->SetChecked(false);
    EXPECT_FALSE(group->Visible());
    EXPECT_EQ(window->Height(), kFrameHeight + row.checksHeight); // the check-box panel only
    EXPECT_EQ(window->ContentHeight(), window->Height());

    peak->SetChecked(true);
    EXPECT_EQ(window->Height(), full - row.upperHeight);
    upper->SetChecked(true);
    EXPECT_EQ(window->Height(), full);
    EXPECT_EQ(level->Top(), row.levelTop);

    window->ToggleControlPanel();
    EXPECT_EQ(window->Height(), full - row.checksHeight);
    EXPECT_FALSE(Find<tk::TPanel>(row.sections.checks)->Visible());
    EXPECT_EQ(group->Height(), window->ClientHeight());
    window->ToggleControlPanel();
    EXPECT_EQ(window->Height(), full);
    EXPECT_EQ(window->ContentHeight(), full);
}

TEST_P(ChannelWindowTest, MeteringRunsWhileTheLevelSectionIsShown) {
    Open(2);
    EXPECT_TRUE(window->Metering());
    EXPECT_NE(window->Timers().TickId(), 0u);
    EXPECT_NE(window->Timers().PollId(), 0u);
    auto started = TracedMessages(row.startMetering);
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].handle, Handle(windows::HandleIndex(0)));
    EXPECT_EQ(started[1].handle, Handle(windows::HandleIndex(1)));

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
    Find<tk::TCheckBox>(row.upperBox)->SetChecked(false);
    CloseWindow();

    row.removeCard1Device();
    Create();
    ASSERT_FALSE(window->Initialised());
    CloseWindow();

    Open(2);
    EXPECT_FALSE(Find<tk::TCheckBox>(row.upperBox)->Checked());
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
