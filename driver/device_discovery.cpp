#include "driver/device_discovery.h"

#include "driver/card_name.h"
#include "driver/control_handles.h"
#include "driver/message_records.h"
#include "driver/silent_abort.h"
#include "driver/transfer_block.h"
#include "driver/wave_messages.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

namespace driver {
namespace {

// The slot a device of the card fills, or nothing for another device.
template <class Caps>
std::optional<int> SlotOf(const Caps& caps, std::uint16_t analogProduct, std::uint16_t digitalProduct) {
    if (caps.wMid != CardManufacturer || (caps.wPid != analogProduct && caps.wPid != digitalProduct))
        return std::nullopt;
    const DeviceKind kind = caps.wPid == analogProduct ? KindAnalog : KindDigital;
    const std::string_view name(caps.szPname, strnlen(caps.szPname, sizeof caps.szPname));
    return DeviceSlot(CardIndexFromName(name), kind);
}

// Files the devices of one direction and returns how many of them are the card's.
template <class Caps, class GetNumDevs, class GetDevCaps>
int FileDevices(GetNumDevs getNumDevs, GetDevCaps getDevCaps, std::uint16_t analogProduct,
                std::uint16_t digitalProduct, std::array<std::int32_t, SlotCount>& ids) {
    int hits = 0;
    const win::UINT count = getNumDevs();
    for (win::UINT id = 0; id < count; ++id) {
        Caps caps{};
        if (getDevCaps(id, &caps, sizeof caps) != win::MMSYSERR_NOERROR) continue;
        if (const auto slot = SlotOf(caps, analogProduct, digitalProduct)) {
            ids[*slot] = static_cast<std::int32_t>(id);
            ++hits;
        }
    }
    return hits;
}

// Stops at the first card whose output cannot be opened; later cards keep -1.
void ReadDeviceNodes() {
    TransferBlock block(4, BlockMapping::Fixed);
    if (!block) return;
    for (int card = 0; card < CardCount; ++card) {
        win::HWAVEOUT handle = 0;
        try {
            OpenOutControl(0, DeviceSlot(card, KindAnalog), handle);
        } catch (const SilentAbort&) {
            return;
        }
        win::waveOutMessage(handle, OutGetDeviceNode, block.Address(), 0);
        CardDevNodes[card] = static_cast<std::int32_t>(ReadBlockValue(block.Flat()));
        win::waveOutClose(handle);
    }
}

} // namespace

void DiscoverDevices() {
    WaveInIds.fill(-1);
    WaveOutIds.fill(-1);
    CardDevNodes.fill(-1);
    DriverFound = true;
    const int hits = FileDevices<win::WAVEINCAPSA>(win::waveInGetNumDevs, win::waveInGetDevCapsA,
                                                   AnalogInProduct, DigitalInProduct, WaveInIds) +
                     FileDevices<win::WAVEOUTCAPSA>(win::waveOutGetNumDevs, win::waveOutGetDevCapsA,
                                                    AnalogOutProduct, DigitalOutProduct, WaveOutIds);
    // More devices than four cards have would count cards the tables have no room for.
    CardCount = std::min(hits / 4, MaxCards);
    if (CardCount == 0) {
        DriverFound = false;
        return;
    }
    ReadDeviceNodes();
}

} // namespace driver
