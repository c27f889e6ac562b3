#include "simcard/card_devices.h"

#include "simcard/config_records.h"

#include <array>

namespace simcard {
namespace {

constexpr int kDevicesPerCard = 2;                // per direction: analog and digital
constexpr win::MMVERSION kDriverVersion = 0x0206; // major in the high byte
constexpr win::DWORD kAllPcmFormats = 0x0FFF;     // 11, 22 and 44 kHz, mono and stereo, 8 and 16 bit
constexpr win::WORD kStereo = 2;
constexpr win::DWORD kVolumeSupport = 0x0004 | 0x0008; // volume, separate left and right

constexpr std::array<const char*, kMaxCards> kCardNumerals = {"I", "II", "III", "IV"};

template <class Caps> Caps CommonCaps(const CardDevice& device) {
    Caps caps{};
    caps.wMid = kManufacturerId;
    caps.wPid = ProductId(device);
    caps.vDriverVersion = kDriverVersion;
    DeviceName(device).copy(caps.szPname, win::MAXPNAMELEN - 1); // the zeroed record terminates it
    caps.dwFormats = kAllPcmFormats;
    caps.wChannels = kStereo;
    return caps;
}

} // namespace

int DeviceCount(int cardCount) {
    return cardCount * kDevicesPerCard;
}

std::optional<CardDevice> DeviceFromNumber(Direction direction, win::UINT number, int cardCount) {
    if (number >= static_cast<win::UINT>(DeviceCount(cardCount))) return std::nullopt;
    return CardDevice{direction, static_cast<DeviceKind>(number % kDevicesPerCard),
                      static_cast<int>(number / kDevicesPerCard)};
}

win::WORD ProductId(const CardDevice& device) {
    const win::WORD firstOfDirection = device.direction == Direction::Input ? 23 : 24;
    return static_cast<win::WORD>(firstOfDirection + 2 * static_cast<int>(device.kind));
}

std::string DeviceName(const CardDevice& device) {
    const char* kind = device.kind == DeviceKind::Analog ? "Analog" : "Digital";
    const char* direction = device.direction == Direction::Input ? "In" : "Out";
    return std::string("Kova 2 ") + kind + " " + direction + " " + kCardNumerals.at(device.card);
}

win::WAVEINCAPSA InputCaps(const CardDevice& device) {
    return CommonCaps<win::WAVEINCAPSA>(device);
}

win::WAVEOUTCAPSA OutputCaps(const CardDevice& device) {
    auto caps = CommonCaps<win::WAVEOUTCAPSA>(device);
    caps.dwSupport = device.kind == DeviceKind::Analog ? kVolumeSupport : 0;
    return caps;
}

} // namespace simcard
