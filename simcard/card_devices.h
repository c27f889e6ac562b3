#pragma once
// The card's four wave devices and how the wave driver numbers them: per direction, card c has its
// analog device at number 2c and its digital device at 2c + 1.
#include "platform/win_records.h"

#include <optional>
#include <string>

namespace simcard {

enum class Direction { Input, Output };
enum class DeviceKind { Analog = 0, Digital = 1 };

struct CardDevice {
    Direction direction;
    DeviceKind kind;
    int card; // 0..3
    friend bool operator==(const CardDevice&, const CardDevice&) = default;
};

constexpr win::WORD kManufacturerId = 190;

int DeviceCount(int cardCount);
// The device behind the driver's device number, or nothing past the installed cards.
std::optional<CardDevice> DeviceFromNumber(Direction direction, win::UINT number, int cardCount);

win::WORD ProductId(const CardDevice& device);
// "Kova 2 Analog In I" … "Kova 2 Digital Out IV".
std::string DeviceName(const CardDevice& device);

win::WAVEINCAPSA InputCaps(const CardDevice& device);
win::WAVEOUTCAPSA OutputCaps(const CardDevice& device);

} // namespace simcard
