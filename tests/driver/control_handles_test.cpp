// Control handles over a test wave driver: which devices a run opens, with which format and callback,
// and what failed opens and closes leave behind.
#include "driver/control_handles.h"
#include "driver/silent_abort.h"
#include "tests/driver/card_devices.h"

#include <gtest/gtest.h>

namespace {

using driver::Direction;
using driver::SilentAbort;

class ControlHandles : public testing::Test {
protected:
    ControlHandles() {
        // Output devices 0 to 3; digital output slots 1 and 3 on devices 2 and 0.
        outputs = {CardDevice(driver::AnalogOutProduct, "Kova 2 Analog Out I"),
                   CardDevice(driver::AnalogOutProduct, "Kova 2 Analog Out II"),
                   CardDevice(driver::DigitalOutProduct, "Kova 2 Digital Out I"),
                   CardDevice(driver::DigitalOutProduct, "Kova 2 Digital Out II")};
        a.Configure({CardDevice(driver::AnalogInProduct, "Kova 2 Analog In I")}, outputs);
        driver::WaveInIds = {0, -1, -1, -1, -1, -1, -1, -1};
        driver::WaveOutIds = {1, 2, -1, 0, -1, -1, -1, -1};
    }
    ~ControlHandles() override {
        driver::WaveInIds.fill(-1);
        driver::WaveOutIds.fill(-1);
    }
    std::vector<win::UINT> OpenedDevices() const {
        std::vector<win::UINT> devices;
        for (const TestWaveCall& open : a.CallsOf(win::WODM_OPEN))
            devices.push_back(open.device);
        return devices;
    }
    std::vector<TestWaveDevice> outputs;
    TestWaveDriver a{"testwave_a.DRV"};
    InstalledTestDrivers installed{"testwave_a.DRV"};
};

TEST_F(ControlHandles, ARunOpensTwoHandlesPerCardOnTheCardsDevice) {
    std::array<win::HWAVE, 8> handles{};
    constexpr win::HWND Window = 0x00010012;
    driver::OpenControlRun(Window, driver::KindDigital, Direction::Output, 0, 1, 0, 1, handles);

    EXPECT_EQ(OpenedDevices(), (std::vector<win::UINT>{2, 2, 0, 0}));
    for (int entry = 0; entry < 4; ++entry) {
        EXPECT_NE(handles[entry], 0u);
        EXPECT_EQ(a.CallsOf(win::WODM_OPEN)[entry].wave, handles[entry]);
    }
    EXPECT_NE(handles[0], handles[1]);
    EXPECT_EQ(handles[4], 0u);
    const TestWaveCall open = a.CallsOf(win::WODM_OPEN)[0];
    EXPECT_EQ(open.param1, Window);
    EXPECT_EQ(open.param2, win::CALLBACK_WINDOW);
    const unsigned char expected[23] = {1, 0, 2,  0, 0x44, 0xAC, 0,   0,   0x10, 0xB1, 0x02, 0,
                                        4, 0, 16, 0, 4,    0,    'C', 'T', 'R',  'L',  0};
    EXPECT_EQ(std::memcmp(open.format, expected, sizeof expected - 1), 0);
    EXPECT_EQ(std::memcmp(&driver::ControlOpenFormat, expected, sizeof expected), 0);

    driver::CloseControlRun(Direction::Output, 8, handles);
    EXPECT_EQ(handles, (std::array<win::HWAVE, 8>{}));
    EXPECT_EQ(a.CallsOf(win::WODM_CLOSE).size(), 4u);
}

TEST_F(ControlHandles, ASlotWithoutADeviceFailsWithoutAskingTheSystem) {
    win::HWAVEIN handle = 0;
    try {
        driver::OpenInControl(0, 1, handle);
        FAIL() << "opened slot 1";
    } catch (const SilentAbort& abort) {
        EXPECT_EQ(abort.Result(), win::MMSYSERR_BADDEVICEID);
    }
    EXPECT_THROW(driver::OpenInControl(0, 8, handle), SilentAbort);
    EXPECT_THROW(driver::OpenInControl(0, -1, handle), SilentAbort);
    EXPECT_TRUE(a.Calls().empty());
    EXPECT_EQ(handle, 0u);

    driver::OpenInControl(0, 0, handle);
    EXPECT_EQ(a.CallsOf(win::WIDM_OPEN).at(0).param2, win::CALLBACK_NULL);
    EXPECT_EQ(win::waveInClose(handle), win::MMSYSERR_NOERROR);
}

TEST_F(ControlHandles, AFailedOpenEndsTheRunAndKeepsWhatItOpened) {
    outputs[0].openResult = win::MMSYSERR_ALLOCATED; // the second card's digital output
    a.Configure({}, outputs);
    std::array<win::HWAVE, 8> handles{};
    try {
        driver::OpenControlRun(0, driver::KindDigital, Direction::Output, 0, 1, 0, 1, handles);
        FAIL() << "the run did not fail";
    } catch (const SilentAbort& abort) {
        EXPECT_EQ(abort.Result(), win::MMSYSERR_ALLOCATED);
    }
    EXPECT_NE(handles[0], 0u);
    EXPECT_NE(handles[1], 0u);
    EXPECT_EQ(handles[2], 0u);
    driver::CloseControlRun(Direction::Output, 8, handles);
    EXPECT_EQ(a.CallsOf(win::WODM_CLOSE).size(), 2u);
}

TEST_F(ControlHandles, ARunThatDoesNotFitOpensNothing) {
    std::array<win::HWAVE, 3> handles{};
    EXPECT_THROW(driver::OpenControlRun(0, driver::KindDigital, Direction::Output, 0, 1, 0, 1, handles),
                 SilentAbort);
    EXPECT_TRUE(a.Calls().empty());
}

TEST_F(ControlHandles, AHandleThatWillNotCloseStaysInTheRun) {
    outputs[2].closeResult = 33;
    a.Configure({}, outputs);
    std::array<win::HWAVE, 4> handles{};
    driver::OpenControlRun(0, driver::KindDigital, Direction::Output, 0, 1, 0, 1, handles);
    const auto opened = handles;
    driver::CloseControlRun(Direction::Output, 100, handles);
    EXPECT_EQ(handles, (std::array<win::HWAVE, 4>{opened[0], opened[1], 0, 0}));
}

} // namespace
