#include "simcard/wave_codes.h"
#include "tests/simcard/fresh_card.h"
#include "tests/simcard/wave_client.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>

namespace simcard {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
namespace code = wave_code;

// Card 2's devices, two handles on each as the channel windows open them.
class WaveMessagesTest : public FreshCard {
protected:
    static constexpr int kCard = 1;

    CardHardware Hardware() {
        return Card([](CardStateLayout& state) { return state.hardware[kCard]; });
    }
    template <class Fn> void ChangeHardware(Fn&& fn) {
        Card([&](CardStateLayout& state) { fn(state.hardware[kCard]); });
    }

    // Opened before SetUp, so the card is reset first: an earlier test may have left fewer cards.
    const bool reset_ = (ResetCard(), true);
    ControlHandle analogIn{Direction::Input, AnalogDevice(kCard)};
    ControlHandle analogIn2{Direction::Input, AnalogDevice(kCard)};
    ControlHandle digitalIn{Direction::Input, DigitalDevice(kCard)};
    ControlHandle digitalIn2{Direction::Input, DigitalDevice(kCard)};
    ControlHandle analogOut{Direction::Output, AnalogDevice(kCard)};
    ControlHandle digitalOut{Direction::Output, DigitalDevice(kCard)};
};

template <std::size_t N> std::vector<int> AsBytes(const std::array<std::byte, N>& bytes) {
    std::vector<int> values;
    for (std::byte b : bytes)
        values.push_back(std::to_integer<int>(b));
    return values;
}

template <std::size_t N> std::vector<std::uint16_t> AsWords(const std::array<std::byte, N>& bytes) {
    std::vector<std::uint16_t> words(N / 2);
    std::memcpy(words.data(), bytes.data(), N);
    return words;
}

std::vector<std::int32_t> AsLevels(const std::array<std::byte, 8>& bytes) {
    std::vector<std::int32_t> levels(2);
    std::memcpy(levels.data(), bytes.data(), 8);
    return levels;
}

TEST_F(WaveMessagesTest, GainsTravelAsFaderPositionsInTheHighByte) {
    EXPECT_EQ(analogIn2.Send(code::kSetGains, 0x64005F00), 0u);
    EXPECT_THAT(AsWords(analogIn.Read<4>(code::kGetGains)), ElementsAre(0x5F00, 0x6400));

    EXPECT_EQ(analogIn.Send(code::kSetGains, 0x64001E00), win::MMSYSERR_INVALPARAM) << "position 30";
    EXPECT_EQ(analogIn.Send(code::kSetGains, 0xA5005F00), win::MMSYSERR_INVALPARAM) << "position 165";
    EXPECT_EQ(analogIn.Send(code::kSetGains, 0x1'64005F00), win::MMSYSERR_INVALPARAM) << "wider than 32 bits";
    EXPECT_EQ(digitalIn.Send(code::kSetGains, 0x64005F00), win::MMSYSERR_NOTSUPPORTED);
    EXPECT_THAT(Hardware().inputGain, ElementsAre(0x5F00, 0x6400));
}

TEST_F(WaveMessagesTest, VolumesAndMutesKeepBothChannels) {
    EXPECT_EQ(analogOut.Send(code::kSetVolume, 0xFE000800), 0u);
    EXPECT_THAT(AsWords(analogOut.Read<4>(code::kGetVolume)), ElementsAre(0x0800, 0xFE00));

    EXPECT_EQ(analogOut.Send(code::kSetOutputMutes, 0x00010000), 0u) << "any nonzero word mutes";
    EXPECT_THAT(AsWords(analogOut.Read<4>(code::kGetOutputMutes)), ElementsAre(0x0000, 0xFFFF));
    EXPECT_EQ(analogIn.Send(code::kSetInputMutes, 0x0000FFFF), 0u);
    EXPECT_THAT(AsWords(analogIn.Read<4>(code::kGetInputMutes)), ElementsAre(0xFFFF, 0x0000));

    // The windows prefill the block; the answer replaces both words.
    HeapBlock block(4);
    std::memcpy(block.flat(), "\0\0\xFF\xFF", 4);
    EXPECT_EQ(analogOut.Send(code::kSetOutputMutes, 0), 0u);
    EXPECT_EQ(analogOut.Send(code::kGetOutputMutes, block.address()), 0u);
    EXPECT_EQ(LoadInt32(block.flat()), 0);

    EXPECT_EQ(digitalOut.Send(code::kSetVolume, 0xFE00FE00), win::MMSYSERR_NOTSUPPORTED);
}

TEST_F(WaveMessagesTest, InputStateRecordsCarryTheSelectAndMonitoringBytes) {
    EXPECT_THAT(AsBytes(analogIn.Read<4>(code::kGetInputState)), ElementsAre(0, 1, 0, 1));
    EXPECT_THAT(AsBytes(digitalIn.Read<4>(code::kGetInputState)), ElementsAre(1, 2, 0, 1));

    // Bytes 2, 1, 0, 7: electrical input, monitored on the analog output, never; byte 3 is the card's.
    EXPECT_EQ(digitalIn.Send(code::kSetInputState, 0x07000102), 0u);
    ChangeHardware([](CardHardware& h) { h.lockRate = 0; });
    EXPECT_THAT(AsBytes(digitalIn2.Read<4>(code::kGetInputState)), ElementsAre(2, 1, 0, 0));

    EXPECT_EQ(analogIn.Send(code::kSetInputState, 0x00020200), 0u);
    EXPECT_THAT(AsBytes(analogIn.Read<4>(code::kGetInputState)), ElementsAre(0, 2, 2, 1));

    const CardHardware before = Hardware();
    for (win::DWORD bad : {0x00000104u, 0x00000100u, 0x00000001u, 0x00030101u}) {
        EXPECT_EQ(digitalIn.Send(code::kSetInputState, bad), win::MMSYSERR_INVALPARAM) << std::hex << bad;
    }
    EXPECT_EQ(analogIn.Send(code::kSetInputState, 0x00000101), win::MMSYSERR_INVALPARAM)
        << "the analog input has nothing to select";
    EXPECT_EQ(Hardware(), before);
}

TEST_F(WaveMessagesTest, RouteRecordsCountTheUsersOfTheOutputsPath) {
    EXPECT_THAT(AsBytes(analogOut.Read<4>(code::kGetRoute)), ElementsAre(0, 2, 0, 0));
    EXPECT_THAT(AsBytes(digitalOut.Read<4>(code::kGetRoute)), ElementsAre(0, 2, 1, 0));

    // A digital output window metering the digital input through two handles, the digital input
    // window metering through one, and an application playing.
    EXPECT_EQ(digitalIn.Send(code::kStartInputMeter), 0u);
    EXPECT_EQ(digitalIn2.Send(code::kStartInputMeter), 0u);
    EXPECT_THAT(AsBytes(digitalOut.Read<4>(code::kGetRoute)), ElementsAre(0, 2, 1, 2));
    ControlHandle inputWindow(Direction::Input, DigitalDevice(kCard));
    inputWindow.Send(code::kStartInputMeter);
    EXPECT_EQ(AsBytes(digitalOut.Read<4>(code::kGetRoute))[3], 3);
    ChangeHardware([](CardHardware& h) { h.playbackRunning = kTrue; });
    EXPECT_EQ(AsBytes(digitalOut.Read<4>(code::kGetRoute))[3], 4);
    EXPECT_EQ(AsBytes(analogOut.Read<4>(code::kGetRoute))[3], 1) << "only the playback uses the analog path";

    inputWindow.Close();
    digitalIn.Send(code::kStopInputMeter);
    digitalOut.Send(code::kStartOutputMeter); // metering an output takes nothing from it
    EXPECT_EQ(AsBytes(digitalOut.Read<4>(code::kGetRoute))[3], 2);
}

TEST_F(WaveMessagesTest, RouteChangesApplyByteZeroUnlessRefused) {
    EXPECT_EQ(analogOut.Send(code::kSetRoute, 0x01000203), 0u) << "bytes 1 to 3 are the card's";
    EXPECT_THAT(AsBytes(analogOut.Read<4>(code::kGetRoute)), ElementsAre(3, 2, 0, 0));
    EXPECT_EQ(Hardware().analogOutputSource, kSourceDigitalInput);

    EXPECT_EQ(analogOut.Send(code::kSetRoute, 1), 0u);
    EXPECT_EQ(digitalOut.Send(code::kSetRoute, 1), win::MMSYSERR_INVALPARAM) << "outputs playing each other";
    EXPECT_EQ(digitalOut.Send(code::kSetRoute, 4), win::MMSYSERR_INVALPARAM);

    ChangeHardware([](CardHardware& h) { h.refuseRoute = kTrue; });
    EXPECT_EQ(digitalOut.Send(code::kSetRoute, 2), win::MMSYSERR_ALLOCATED);
    EXPECT_EQ(analogOut.Send(code::kSetRoute, 1), 0u) << "keeping the source is no change";
    EXPECT_EQ(Hardware().digitalOutputSource, kSourceApplication);
}

TEST_F(WaveMessagesTest, LockRateFormatAndDeviceNodes) {
    EXPECT_EQ(digitalIn.Read32(code::kGetLockRate), 44100u);
    ChangeHardware([](CardHardware& h) { h.lockRate = 0; });
    EXPECT_EQ(digitalIn.Read32(code::kGetLockRate), 0u);
    EXPECT_EQ(analogIn.Send(code::kGetLockRate, HeapBlock(4).address()), win::MMSYSERR_NOTSUPPORTED);

    EXPECT_EQ(digitalOut.Send(code::kSetFormat, 0), 0u);
    EXPECT_EQ(digitalOut.Read32(code::kGetFormat), 0u);
    EXPECT_EQ(digitalOut.Send(code::kSetFormat, 2), win::MMSYSERR_INVALPARAM);
    EXPECT_EQ(digitalOut.Read32(code::kGetFormat), 0u);

    Card([](CardStateLayout& state) { state.cardCount = 4; });
    std::vector<std::uint32_t> nodes;
    for (int card = 0; card < 4; ++card)
        nodes.push_back(ControlHandle(Direction::Output, AnalogDevice(card)).Read32(code::kGetDevNode));
    EXPECT_EQ(std::set<std::uint32_t>(nodes.begin(), nodes.end()).size(), 4u);
    for (std::uint32_t node : nodes)
        EXPECT_GT(static_cast<std::int32_t>(node), 0) << "no -1 that reads as 'none'";
    EXPECT_EQ(digitalOut.Read32(code::kGetDevNode), nodes[kCard]);
}

TEST_F(WaveMessagesTest, LevelsFlowOnlyWhileTheDeviceIsMetered) {
    win::DWORD result = 0;
    EXPECT_THAT(AsLevels(analogIn.Read<8>(code::kReadInputLevel, &result)), ElementsAre(0, 0));
    EXPECT_NE(result, 0u);

    analogIn.Send(code::kStartInputMeter);
    const auto levels = AsLevels(analogIn2.Read<8>(code::kReadInputLevel, &result));
    EXPECT_EQ(result, 0u);
    EXPECT_GT(levels[0], 0);
    EXPECT_GT(levels[1], 0);
    EXPECT_LE(std::max(levels[0], levels[1]), 32767);

    analogIn.Send(code::kSetInputMutes, 0xFFFFFFFF);
    EXPECT_THAT(AsLevels(analogIn.Read<8>(code::kReadInputLevel)), ElementsAre(0, 0));
    analogIn.Send(code::kStopInputMeter);

    ChangeHardware([](CardHardware& h) { h.lockRate = 0; });
    digitalIn.Send(code::kStartInputMeter);
    EXPECT_THAT(AsLevels(digitalIn.Read<8>(code::kReadInputLevel, &result)), ElementsAre(0, 0));
    EXPECT_EQ(result, 0u) << "metering runs; the unlocked input is silent";
}

TEST_F(WaveMessagesTest, BadBlocksAreRefusedAndChangeNothing) {
    analogOut.Send(code::kStartOutputMeter);
    const CardHardware before = Hardware();
    HeapBlock small(2);
    std::memcpy(small.flat(), "ab", 2);
    const win::DWORD_PTR badAddresses[] = {0, 0x12340000, small.address(), 0x1'00000000ull | small.address()};
    for (const win::DWORD_PTR address : badAddresses) {
        SCOPED_TRACE(address);
        EXPECT_EQ(analogIn.Send(code::kGetGains, address), win::MMSYSERR_INVALPARAM);
        EXPECT_EQ(digitalIn.Send(code::kGetInputState, address), win::MMSYSERR_INVALPARAM);
        EXPECT_EQ(analogOut.Send(code::kReadOutputLevel, address), win::MMSYSERR_INVALPARAM);
        EXPECT_EQ(digitalOut.Send(code::kGetRoute, address), win::MMSYSERR_INVALPARAM);
        EXPECT_EQ(analogOut.Send(code::kGetDevNode, address), win::MMSYSERR_INVALPARAM);
        EXPECT_EQ(analogOut.Send(code::kSetVolume, address | 0x1'00000000ull), win::MMSYSERR_INVALPARAM);
    }
    EXPECT_EQ(std::memcmp(small.flat(), "ab", 2), 0);
    EXPECT_EQ(Hardware(), before);
    EXPECT_EQ(analogOut.Send(0x4FFF), win::MMSYSERR_NOTSUPPORTED);
}

TEST_F(WaveMessagesTest, TheHardwareOutlivesItsHandlesAndItsProcessView) {
    analogIn.Send(code::kSetGains, 0x64005F00);
    analogOut.Send(code::kSetRoute, kSourceAnalogInput);
    digitalOut.Send(code::kSetFormat, kFormatNonAudio);
    analogIn.Close();
    analogOut.Close();

    StateFile reopened(CardStatePath());
    reopened.Access([](CardStateLayout& state) {
        EXPECT_THAT(state.hardware[kCard].inputGain, ElementsAre(0x5F00, 0x6400));
        EXPECT_EQ(state.hardware[kCard].analogOutputSource, kSourceAnalogInput);
        EXPECT_EQ(state.hardware[kCard].digitalFormat, kFormatNonAudio);
    });
    ControlHandle again(Direction::Input, AnalogDevice(kCard));
    EXPECT_THAT(AsWords(again.Read<4>(code::kGetGains)), ElementsAre(0x5F00, 0x6400));
}

TEST_F(WaveMessagesTest, EveryMessageIsTraced) {
    SetTraceEnabled(true);
    analogIn.Send(code::kSetGains, 0x64005F00);
    analogIn.Send(code::kSetGains, 0x64001E00);
    ControlHandle opened(Direction::Output, DigitalDevice(kCard));
    widMessage(0, win::WIDM_GETNUMDEVS, 0, 0, 0);
    SetTraceEnabled(false);

    std::vector<std::string> events;
    for (const TraceLine& line : ReadTrace())
        events.push_back(line.event);
    const std::string analog = "wavein dev=2 inst=" + std::to_string(analogIn.instance());
    EXPECT_THAT(events,
                ElementsAre(analog + " msg=0x4033 p1=0x64005F00 p2=0x00000000 -> 0",
                            testing::StartsWith(analog + " msg=0x4033 p1=0x64001E00 p2=0x00000000 -> 11: "),
                            "waveout dev=3 inst=" + std::to_string(opened.instance()) +
                                " msg=0x0005 format=control flags=0x00000000 -> 0",
                            "wavein dev=0 inst=0 msg=0x0032 -> 4"));
}

} // namespace
} // namespace simcard
