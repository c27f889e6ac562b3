#pragma once
// Test devices that look like a card's: the card's maker, its product ids, names ending in a numeral.
#include "driver/device_tables.h"
#include "tests/wave/test_wave_driver.h"

#include <string>

inline TestWaveDevice CardDevice(win::WORD product, const std::string& name, win::DWORD deviceNode = 0) {
    return MakeTestDevice(driver::CardManufacturer, product, name.c_str(), deviceNode);
}

// A card's two inputs and two outputs; its analog output answers deviceNode.
struct TestCard {
    TestCard(const std::string& numeral, win::DWORD deviceNode)
        : inputs{CardDevice(driver::AnalogInProduct, "Kova 2 Analog In " + numeral),
                 CardDevice(driver::DigitalInProduct, "Kova 2 Digital In " + numeral)},
          outputs{CardDevice(driver::AnalogOutProduct, "Kova 2 Analog Out " + numeral, deviceNode),
                  CardDevice(driver::DigitalOutProduct, "Kova 2 Digital Out " + numeral)} {}
    std::vector<TestWaveDevice> inputs;
    std::vector<TestWaveDevice> outputs;
};
