// Discovery and a few messages through the default drivers list: the on-board device, then the
// simulated card's driver, as the program meets them.
#include "driver/control_handles.h"
#include "driver/device_discovery.h"
#include "driver/message_records.h"
#include "driver/transfer_block.h"
#include "driver/wave_messages.h"
#include "platform/wave_driver_set.h"
#include "tests/simcard/tool_run.h"

#include <gtest/gtest.h>
#include <set>

namespace {

TEST(SimulatedCard, IsFoundBesideTheOnboardDeviceAndAnswersOnControlHandles) {
    ASSERT_EQ(simcard::RunTool({"cards", "3"}).exitCode, 0);
    platform::WaveDriverSet::Install();
    driver::DiscoverDevices();

    ASSERT_EQ(driver::CardCount, 3);
    EXPECT_TRUE(driver::DriverFound);
    // The on-board device is device 0 either way.
    EXPECT_EQ(driver::WaveInIds, (std::array<std::int32_t, 8>{1, 2, 3, 4, 5, 6, -1, -1}));
    EXPECT_EQ(driver::WaveOutIds, (std::array<std::int32_t, 8>{1, 2, 3, 4, 5, 6, -1, -1}));
    const std::set<std::int32_t> nodes(driver::CardDevNodes.begin(), driver::CardDevNodes.begin() + 3);
    EXPECT_EQ(nodes.size(), 3u);
    EXPECT_GT(*nodes.begin(), 0);
    EXPECT_EQ(driver::CardDevNodes[3], -1);

    std::array<win::HWAVE, 8> handles{};
    driver::OpenControlRun(0, driver::KindAnalog, driver::Direction::Input, 0, 1, 0, 2, handles);
    driver::TransferBlock block(8, driver::BlockMapping::Fixed);
    ASSERT_TRUE(block);
    EXPECT_EQ(win::waveInMessage(handles[5], driver::InGetGains, block.Address(), 0), win::MMSYSERR_NOERROR);
    const int gain = driver::GainPositions(driver::ReadBlockValue(block.Flat())).right;
    EXPECT_EQ(win::waveInMessage(handles[4], driver::InSetGains, driver::GainPairValue(40, gain), 0),
              win::MMSYSERR_NOERROR);
    EXPECT_EQ(win::waveInMessage(handles[4], driver::InGetGains, block.Address(), 0), win::MMSYSERR_NOERROR);
    EXPECT_EQ(driver::GainPositions(driver::ReadBlockValue(block.Flat())).left, 40);
    EXPECT_EQ(win::waveInMessage(handles[4], driver::InStartMetering, 0, 0), win::MMSYSERR_NOERROR);
    EXPECT_EQ(win::waveInMessage(handles[4], driver::InGetLevels, block.Address(), 0), win::MMSYSERR_NOERROR);
    win::waveInMessage(handles[4], driver::InStopMetering, 0, 0);
    driver::CloseControlRun(driver::Direction::Input, 6, handles);
    EXPECT_EQ(handles, (std::array<win::HWAVE, 8>{}));
}

} // namespace
