#include "simcard/hardware_state.h"
#include "simcard/serve/card_mixer.h"
#include "simcard/server/card_rig.h"
#include "simcard/server/device_bus.h"

#include <gtest/gtest.h>
#include <vector>

namespace simcard::server {
namespace {

constexpr std::size_t kFrames = 4;

std::vector<float> Constant(float value) {
    return std::vector<float>(kFrames * 2, value);
}

TEST(DeviceBus, SumsWhatIsAddedPerDeviceAndStartsEachBlockSilent) {
    DeviceBus bus;
    bus.StartBlock(kFrames);
    bus.AddToMix("speakers", Constant(0.25f));
    bus.AddToMix("speakers", Constant(0.5f));
    bus.AddToMix("headphones", Constant(0.125f));
    bus.AddToMix("", Constant(1.0f)); // no device: goes nowhere
    EXPECT_EQ(bus.Mix("speakers")[0], 0.75f);
    EXPECT_EQ(bus.Mix("speakers").back(), 0.75f);
    EXPECT_EQ(bus.Mix("headphones")[3], 0.125f);
    EXPECT_EQ(bus.Mix("").size(), kFrames * 2);
    EXPECT_EQ(bus.Mix("")[0], 0.0f);

    bus.StartBlock(kFrames);
    bus.AddToMix("headphones", Constant(0.5f));
    EXPECT_EQ(bus.Mix("speakers")[0], 0.0f) << "the last block's sum is gone";
    EXPECT_EQ(bus.Mix("headphones")[0], 0.5f);
}

TEST(DeviceBus, RecordedBlocksLastOneBlock) {
    DeviceBus bus;
    const auto block = Constant(0.25f);
    bus.StartBlock(kFrames);
    bus.SetRecorded("microphone", block);
    bus.SetRecorded("", block);
    EXPECT_EQ(bus.Recorded("microphone").data(), block.data());
    EXPECT_TRUE(bus.Recorded("").empty());
    EXPECT_TRUE(bus.Recorded("line").empty());
    bus.StartBlock(kFrames);
    EXPECT_TRUE(bus.Recorded("microphone").empty());
}

class SharedDevicesTest : public testing::Test {
protected:
    SharedDevicesTest() {
        catalog.defaults = {"speakers", "microphone"};
        catalog.sinks = {{"speakers", {0, 48000}},
                         {"kova2.card1.analog-out", {1, 48000}},
                         {"kova2.card1.analog-in.feed", {2, 48000}},
                         {"kova2.card2.analog-in.feed", {3, 48000}}};
        catalog.sources = {{"microphone", {0, 48000}}, {"optical", {1, 44100}}};
        for (int card = 0; card < 2; ++card) {
            hardware[card] = DefaultHardware(card);
            hardware[card].analogOutputSource = kSourceAnalogInput;
        }
    }

    // One block of the cards through the bus, the microphone carrying value; the speakers' mix.
    float SpeakersAfterABlock(std::vector<CardRig*> rigs, float value) {
        const auto microphone = Constant(value);
        bus.StartBlock(kFrames);
        bus.SetRecorded("microphone", microphone);
        for (CardRig* rig : rigs)
            rig->RunBlock(mixer, hardware[rig->card()], bus, kFrames);
        return bus.Mix("speakers")[0];
    }

    ServerCatalog catalog;
    Connections connections;
    std::array<CardHardware, 2> hardware;
    serve::CardMixer mixer;
    DeviceBus bus;
};

// Cards on the default devices use the same ones; each card's own devices stay its own, and a device
// the server does not have is none.
TEST_F(SharedDevicesTest, CardsOnTheDefaultsWireTheSameRealDevices) {
    CardRig first(0);
    CardRig second(1);
    first.Wire(catalog, connections, Connector::Optical);
    second.Wire(catalog, connections, Connector::Optical);
    for (const CardRig* rig : {&first, &second}) {
        EXPECT_EQ(rig->records()[CardRig::kAnalogSource].device, "microphone");
        EXPECT_EQ(rig->playbacks()[CardRig::kAnalogOutput].device, "speakers");
        EXPECT_EQ(rig->records()[CardRig::kDigitalSource].device, "") << "the digital side is unconnected";
    }
    EXPECT_EQ(first.records()[CardRig::kAnalogPlayback].device, "kova2.card1.analog-out.monitor");
    EXPECT_EQ(second.records()[CardRig::kAnalogPlayback].device, "") << "the server has no such sink";
    EXPECT_EQ(first.playbacks()[CardRig::kAnalogCapture].device, "kova2.card1.analog-in.feed");
    EXPECT_EQ(second.playbacks()[CardRig::kAnalogCapture].device, "kova2.card2.analog-in.feed");

    EXPECT_EQ(second.lockRate(), 0);
    connections.Set(1, Connector::Optical, {Wiring::Choice::Device, "optical"});
    second.Wire(catalog, connections, Connector::Optical);
    EXPECT_EQ(second.records()[CardRig::kDigitalSource].device, "optical");
    EXPECT_EQ(second.lockRate(), 44100);
}

TEST_F(SharedDevicesTest, TheSharedSinkPlaysTheSumOfTheCards) {
    CardRig first(0);
    CardRig second(1);
    first.Wire(catalog, connections, Connector::Optical);
    second.Wire(catalog, connections, Connector::Optical);
    const float one = SpeakersAfterABlock({&first}, 0.25f);
    ASSERT_GT(one, 0.0f);
    EXPECT_FLOAT_EQ(SpeakersAfterABlock({&first, &second}, 0.25f), 2 * one);

    hardware[1].outputMute = {0xFFFF, 0xFFFF};
    EXPECT_FLOAT_EQ(SpeakersAfterABlock({&first, &second}, 0.25f), one) << "each card's own settings apply";
}

} // namespace
} // namespace simcard::server
