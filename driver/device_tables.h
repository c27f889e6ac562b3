#pragma once
// The card's wave devices as discovery files them: per device slot (2 x card + kind, 0..7) the wave
// device id, per card its device node. Written by DiscoverDevices, read by the rest of the program on
// the user-interface thread.
#include <array>
#include <cstdint>

namespace driver {

constexpr int MaxCards = 4;
constexpr int SlotCount = 2 * MaxCards;

enum DeviceKind : int { KindAnalog = 0, KindDigital = 1 };

// How the card's devices name themselves.
constexpr std::uint16_t CardManufacturer = 190;
constexpr std::uint16_t AnalogInProduct = 23;
constexpr std::uint16_t AnalogOutProduct = 24;
constexpr std::uint16_t DigitalInProduct = 25;
constexpr std::uint16_t DigitalOutProduct = 26;

constexpr int DeviceSlot(int card, DeviceKind kind) {
    return 2 * card + kind;
}

extern std::array<std::int32_t, SlotCount> WaveInIds;   // wave input device id per slot, -1 = none
extern std::array<std::int32_t, SlotCount> WaveOutIds;  // wave output device id per slot, -1 = none
extern std::array<std::int32_t, MaxCards> CardDevNodes; // device node per card, -1 = none read
extern std::int32_t CardCount;                          // cards found, 0..4
extern bool DriverFound;                                // at least one card was found

} // namespace driver
