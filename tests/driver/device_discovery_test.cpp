// Device discovery over test wave drivers whose devices each test chooses.
#include "driver/card_name.h"
#include "driver/device_discovery.h"
#include "tests/driver/card_devices.h"

#include <gtest/gtest.h>

namespace {

using driver::CardCount;
using driver::CardDevNodes;
using driver::DriverFound;
using driver::WaveInIds;
using driver::WaveOutIds;

TEST(CardIndexFromName, TakesTheNumeralThatEndsTheName) {
    EXPECT_EQ(driver::CardIndexFromName("Kova 2 Analog In I"), 0);
    EXPECT_EQ(driver::CardIndexFromName("Kova 2 Digital In II   "), 1);
    EXPECT_EQ(driver::CardIndexFromName("Kova 2 Analog Out III"), 2);
    EXPECT_EQ(driver::CardIndexFromName("Kova 2 Analog Out IV"), 3);
    // Not a numeral of the four: card 0.
    EXPECT_EQ(driver::CardIndexFromName("Kova 2 Analog Out V"), 0);
    EXPECT_EQ(driver::CardIndexFromName("Kova 2 Analog In"), 0);
    EXPECT_EQ(driver::CardIndexFromName("Kova 2 Analog In ii"), 0);
    EXPECT_EQ(driver::CardIndexFromName("V"), 0);
    EXPECT_EQ(driver::CardIndexFromName("In"), 0);
    EXPECT_EQ(driver::CardIndexFromName(""), 0);
    EXPECT_EQ(driver::CardIndexFromName("    "), 0);
    // Without a blank the first character is passed over; a word is at most three characters.
    EXPECT_EQ(driver::CardIndexFromName("II"), 0);
    EXPECT_EQ(driver::CardIndexFromName("XIV"), 3);
    EXPECT_EQ(driver::CardIndexFromName("IIII"), 2);
    EXPECT_EQ(driver::CardIndexFromName("Kova IIII"), 2);
}

class Discovery : public testing::Test {
protected:
    void Install(const std::vector<TestWaveDevice>& inputs, const std::vector<TestWaveDevice>& outputs) {
        a.Configure(inputs, outputs);
        b.Configure({}, {});
    }
    TestWaveDriver a{"testwave_a.DRV"};
    TestWaveDriver b{"testwave_b.DRV"};
    InstalledTestDrivers installed{"testwave_a.DRV", "testwave_b.DRV"};
};

TEST_F(Discovery, FilesTheCardsDevicesAcrossDriversAndPassesOverOthers) {
    // Driver a: a device of another maker with a card's product id, then card II; driver b: card I.
    const TestCard second("II  ", 0x0B02), first("I", 0x0B01);
    std::vector<TestWaveDevice> inputs{MakeTestDevice(100, driver::AnalogInProduct, "On-board In I")};
    std::vector<TestWaveDevice> outputs{MakeTestDevice(190, 99, "Kova 2 Monitor I")};
    inputs.insert(inputs.end(), second.inputs.begin(), second.inputs.end());
    outputs.insert(outputs.end(), second.outputs.begin(), second.outputs.end());
    a.Configure(inputs, outputs);
    b.Configure(first.inputs, first.outputs);

    driver::DiscoverDevices();

    EXPECT_TRUE(DriverFound);
    EXPECT_EQ(CardCount, 2);
    EXPECT_EQ(WaveInIds, (std::array<std::int32_t, 8>{3, 4, 1, 2, -1, -1, -1, -1}));
    EXPECT_EQ(WaveOutIds, (std::array<std::int32_t, 8>{3, 4, 1, 2, -1, -1, -1, -1}));
    EXPECT_EQ(CardDevNodes, (std::array<std::int32_t, 4>{0x0B01, 0x0B02, -1, -1}));
    // Each device node came over a control handle without a callback, closed again.
    for (const TestWaveDriver* driver : {&a, &b}) {
        const auto opens = driver->CallsOf(win::WODM_OPEN);
        ASSERT_EQ(opens.size(), 1u);
        EXPECT_EQ(opens[0].param2, win::CALLBACK_NULL);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(opens[0].format) + 18, 4), "CTRL");
        EXPECT_EQ(driver->CallsOf(win::WODM_CLOSE).size(), 1u);
        EXPECT_EQ(driver->CallsOf(0x4011).at(0).instance, opens[0].instance);
    }
}

TEST_F(Discovery, FourCountedDevicesMakeACard) {
    const TestCard card("I", 7);
    Install(card.inputs, {card.outputs[0]});
    driver::DiscoverDevices();
    EXPECT_FALSE(DriverFound);
    EXPECT_EQ(CardCount, 0);
    EXPECT_EQ(CardDevNodes[0], -1);
    EXPECT_TRUE(a.CallsOf(win::WODM_OPEN).empty());

    const TestCard other("II", 8);
    Install({card.inputs[0], card.inputs[1], other.inputs[0], other.inputs[1]},
            {card.outputs[0], card.outputs[1], other.outputs[0]});
    driver::DiscoverDevices();
    EXPECT_TRUE(DriverFound);
    EXPECT_EQ(CardCount, 1);
    EXPECT_EQ(CardDevNodes[0], 7);
}

TEST_F(Discovery, ALaterDeviceForTheSameSlotWinsAndBothCount) {
    const TestCard card("I", 7);
    Install({card.inputs[0], CardDevice(driver::AnalogInProduct, "Kova 2 Second Analog In I")},
            {card.outputs[0], card.outputs[1]});
    driver::DiscoverDevices();
    EXPECT_EQ(CardCount, 1);
    EXPECT_EQ(WaveInIds[0], 1);
    EXPECT_EQ(WaveInIds[1], -1);
}

TEST_F(Discovery, MoreDevicesThanFourCardsHaveStillMakeFourCards) {
    const TestCard card("I", 7);
    std::vector<TestWaveDevice> inputs, outputs;
    for (int copy = 0; copy < 10; ++copy) {
        inputs.insert(inputs.end(), card.inputs.begin(), card.inputs.end());
        outputs.insert(outputs.end(), card.outputs.begin(), card.outputs.end());
    }
    Install(inputs, outputs);
    driver::DiscoverDevices();
    EXPECT_EQ(CardCount, 4);
    // Cards 1 to 3 have no device to ask for their node.
    EXPECT_EQ(CardDevNodes, (std::array<std::int32_t, 4>{7, -1, -1, -1}));
}

TEST_F(Discovery, AnOutputThatWillNotOpenLeavesTheDeviceNodesUnread) {
    TestCard card("I", 7);
    card.outputs[0].openResult = win::MMSYSERR_ALLOCATED;
    Install(card.inputs, card.outputs);
    driver::DiscoverDevices();
    EXPECT_EQ(CardCount, 1);
    EXPECT_EQ(CardDevNodes[0], -1);
}

} // namespace
