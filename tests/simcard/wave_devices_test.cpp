#include "tests/simcard/fresh_card.h"
#include "tests/simcard/wave_client.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>

namespace simcard {
namespace {

using testing::ElementsAre;

class WaveDevicesTest : public FreshCard {
protected:
    void SetCards(int count) {
        Card([count](CardStateLayout& state) { state.cardCount = count; });
    }
};

struct CapsSeen {
    win::WORD mid;
    win::WORD pid;
    std::string name;
    friend bool operator==(const CapsSeen&, const CapsSeen&) = default;
};

void PrintTo(const CapsSeen& caps, std::ostream* out) {
    *out << caps.mid << "/" << caps.pid << " \"" << caps.name << "\"";
}

std::vector<CapsSeen> AllCaps(Direction direction) {
    const bool input = direction == Direction::Input;
    const win::UINT count = Entry(direction)(0, input ? win::WIDM_GETNUMDEVS : win::WODM_GETNUMDEVS, 0, 0, 0);
    std::vector<CapsSeen> seen;
    for (win::UINT device = 0; device < count; ++device) {
        win::WAVEOUTCAPSA caps{}; // the larger record serves both
        const win::DWORD size = input ? sizeof(win::WAVEINCAPSA) : sizeof(win::WAVEOUTCAPSA);
        EXPECT_EQ(Entry(direction)(device, input ? win::WIDM_GETDEVCAPS : win::WODM_GETDEVCAPS, 0,
                                   reinterpret_cast<win::DWORD_PTR>(&caps), size),
                  win::MMSYSERR_NOERROR);
        seen.push_back({caps.wMid, caps.wPid, caps.szPname});
    }
    return seen;
}

TEST_F(WaveDevicesTest, FourDevicesPerCardNamedByTheCardsNumeral) {
    SetCards(3);
    EXPECT_THAT(
        AllCaps(Direction::Input),
        ElementsAre(CapsSeen{190, 23, "Kova 2 Analog In I"}, CapsSeen{190, 25, "Kova 2 Digital In I"},
                    CapsSeen{190, 23, "Kova 2 Analog In II"}, CapsSeen{190, 25, "Kova 2 Digital In II"},
                    CapsSeen{190, 23, "Kova 2 Analog In III"}, CapsSeen{190, 25, "Kova 2 Digital In III"}));
    SetCards(4);
    const auto outputs = AllCaps(Direction::Output);
    ASSERT_EQ(outputs.size(), 8u);
    EXPECT_EQ(outputs[0], (CapsSeen{190, 24, "Kova 2 Analog Out I"}));
    EXPECT_EQ(outputs[7], (CapsSeen{190, 26, "Kova 2 Digital Out IV"}));
}

TEST_F(WaveDevicesTest, CapabilitiesFillNoMoreThanAskedAndRefuseUnknownDevices) {
    std::array<char, 60> buffer;
    buffer.fill('#');
    ASSERT_EQ(wodMessage(0, win::WODM_GETDEVCAPS, 0, reinterpret_cast<win::DWORD_PTR>(buffer.data()), 10),
              0u);
    EXPECT_EQ(buffer[10], '#');
    EXPECT_EQ(buffer[8], 'K');
    EXPECT_EQ(widMessage(4, win::WIDM_GETDEVCAPS, 0, reinterpret_cast<win::DWORD_PTR>(buffer.data()), 48),
              win::MMSYSERR_BADDEVICEID);
    EXPECT_EQ(widMessage(0, win::WIDM_GETDEVCAPS, 0, 0, 48), win::MMSYSERR_INVALPARAM);
}

TEST_F(WaveDevicesTest, SeveralControlHandlesOnOneDeviceLiveAndCloseApart) {
    ControlHandle first(Direction::Input, AnalogDevice(1));
    ControlHandle second(Direction::Input, AnalogDevice(1));
    ASSERT_EQ(first.openResult(), 0u);
    ASSERT_EQ(second.openResult(), 0u);
    EXPECT_NE(first.instance(), second.instance());

    EXPECT_EQ(first.Close(), 0u);
    EXPECT_EQ(first.Send(wave_code::kSetGains, 0x64005F00), win::MMSYSERR_INVALHANDLE);
    EXPECT_EQ(first.Close(), win::MMSYSERR_INVALHANDLE);
    EXPECT_EQ(second.Send(wave_code::kSetGains, 0x64005F00), 0u);
}

TEST_F(WaveDevicesTest, OnlyTheControlFormatOpens) {
    auto refused = [](auto change) {
        ControlOpenFormat format;
        change(format);
        win::DWORD_PTR instance = 0;
        const win::DWORD result = OpenDevice(Direction::Output, 0, &format.format, instance);
        if (result == win::MMSYSERR_NOERROR) wodMessage(0, win::WODM_CLOSE, instance, 0, 0);
        return result;
    };
    EXPECT_EQ(refused([](ControlOpenFormat&) {}), 0u) << "the unchanged control format opens";
    EXPECT_EQ(refused([](ControlOpenFormat& f) { f.extra[3] = 'X'; }), win::WAVERR_BADFORMAT);
    EXPECT_EQ(refused([](ControlOpenFormat& f) { f.format.cbSize = 0; }), win::WAVERR_BADFORMAT);
    EXPECT_EQ(refused([](ControlOpenFormat& f) { f.format.nSamplesPerSec = 48000; }), win::WAVERR_BADFORMAT);
    EXPECT_EQ(refused([](ControlOpenFormat& f) { f.format.wBitsPerSample = 8; }), win::WAVERR_BADFORMAT);

    win::DWORD_PTR instance = 0;
    EXPECT_EQ(OpenDevice(Direction::Output, 0, nullptr, instance), win::MMSYSERR_INVALPARAM);
    const ControlOpenFormat format;
    EXPECT_EQ(OpenDevice(Direction::Output, 4, &format.format, instance), win::MMSYSERR_BADDEVICEID);
    const win::WAVEOPENDESC description{0, &format.format, 0, 0};
    EXPECT_EQ(wodMessage(0, win::WODM_OPEN, 0, reinterpret_cast<win::DWORD_PTR>(&description), 0),
              win::MMSYSERR_INVALPARAM)
        << "no place for the instance";
}

TEST_F(WaveDevicesTest, AHandleServesOnlyItsOwnDirectionAndInstalledCard) {
    ControlHandle input(Direction::Input, AnalogDevice(1));
    EXPECT_EQ(wodMessage(0, wave_code::kGetDevNode, input.instance(), 0, 0), win::MMSYSERR_INVALHANDLE);
    EXPECT_EQ(widMessage(0, wave_code::kSetGains, 0xDEADBEEF, 0x64005F00, 0), win::MMSYSERR_INVALHANDLE);

    SetCards(1);
    EXPECT_EQ(input.Send(wave_code::kSetGains, 0x64005F00), win::MMSYSERR_NODRIVER);
    EXPECT_EQ(input.Close(), 0u);
}

} // namespace
} // namespace simcard
