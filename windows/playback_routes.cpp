#include "windows/playback_routes.h"

#include "driver/device_tables.h"
#include "driver/silent_abort.h"
#include "driver/wave_messages.h"

#include <span>

namespace windows {
namespace {

constexpr win::DWORD kRecordBytes = 4;
constexpr int kSourceByte = 0;
constexpr int kUsersByte = 3;
// The window's own two handles on the metered input, which the driver counts among the users.
constexpr win::BYTE kOwnMeteringHandles = 2;

std::size_t Entry(int card, int channel) { return std::size_t(2 * card + channel); }

std::span<win::HWAVE> CardEntries(HandleTable& table, int card) {
    return std::span<win::HWAVE>(table).subspan(Entry(card, 0), 2);
}

bool ValidCard(int card) { return card >= 0 && card < driver::MaxCards; }

} // namespace

PlaybackRoutes::PlaybackRoutes(win::HWND window, const HandleTable& own, const HandleTable& other, RouteRules rules)
    : window_(window), own_(own), other_(other), rules_(rules) {}

PlaybackRoutes::~PlaybackRoutes() { Release(); }

bool PlaybackRoutes::Allocate(int cardCount) {
    for (int card = 0; card < cardCount && ValidCard(card); ++card) {
        Records& records = records_[std::size_t(card)];
        if (!records.own) records.own = std::make_unique<driver::TransferBlock>(kRecordBytes);
        if (!records.other) records.other = std::make_unique<driver::TransferBlock>(kRecordBytes);
        if (!*records.own || !*records.other) return false;
    }
    return true;
}

bool PlaybackRoutes::Allocated(int card) const { return OwnBytes(card) && OtherBytes(card); }

win::BYTE* PlaybackRoutes::OwnBytes(int card) const {
    if (!ValidCard(card) || !records_[std::size_t(card)].own) return nullptr;
    return static_cast<win::BYTE*>(records_[std::size_t(card)].own->Flat());
}

win::BYTE* PlaybackRoutes::OtherBytes(int card) const {
    if (!ValidCard(card) || !records_[std::size_t(card)].other) return nullptr;
    return static_cast<win::BYTE*>(records_[std::size_t(card)].other->Flat());
}

std::optional<win::BYTE> PlaybackRoutes::Applied(int card) const {
    if (const win::BYTE* own = OwnBytes(card)) return own[kSourceByte];
    return std::nullopt;
}

std::optional<driver::RouteRecord> PlaybackRoutes::OwnRecord(int card) const {
    if (const win::BYTE* own = OwnBytes(card)) return driver::DecodeRoute(driver::ReadBlockValue(own));
    return std::nullopt;
}

std::optional<win::BYTE> PlaybackRoutes::Refresh(int card) {
    if (!Allocated(card)) return std::nullopt;
    win::BYTE* own = OwnBytes(card);
    const win::BYTE applied = own[kSourceByte];
    win::waveOutMessage(own_[Entry(card, 0)], driver::OutGetRoute, records_[std::size_t(card)].own->Address(), 0);
    const win::BYTE current = own[kSourceByte];
    own[kSourceByte] = applied;
    win::waveOutMessage(other_[Entry(card, 0)], driver::OutGetRoute, records_[std::size_t(card)].other->Address(), 0);
    return current;
}

bool PlaybackRoutes::Guarded(int source) const {
    return source == rules_.guardedSources[0] || source == rules_.guardedSources[1];
}

bool PlaybackRoutes::Offered(int card, int source, bool metering) const {
    if (!Guarded(source)) return true;
    if (!Allocated(card)) return false;
    const win::BYTE* own = OwnBytes(card);
    if (OtherBytes(card)[kSourceByte] == rules_.otherOutputBlocks) return false;
    const bool ownCounted = metering && own[kSourceByte] == rules_.ownSourceCounted;
    return own[kUsersByte] <= (ownCounted ? kOwnMeteringHandles : 0);
}

std::optional<PlaybackRoutes::Device> PlaybackRoutes::SourceDevice(win::BYTE source) const {
    switch (source) {
    case SourceOtherOutput:
        return Device{driver::Direction::Output, rules_.output == driver::KindAnalog ? driver::KindDigital : driver::KindAnalog};
    case SourceAnalogInput: return Device{driver::Direction::Input, driver::KindAnalog};
    case SourceDigitalInput: return Device{driver::Direction::Input, driver::KindDigital};
    default: return std::nullopt;
    }
}

SourceChange PlaybackRoutes::Change(int card, win::BYTE source, bool metering) {
    win::BYTE* own = OwnBytes(card);
    if (!own) return SourceChange::NotOpened;
    const win::DWORD value = driver::RouteValue(driver::DecodeRoute(driver::ReadBlockValue(own)), source);
    if (rules_.setBeforeRelease && !SetRoute(card, value)) return SourceChange::Refused;
    if (metering) StopMetering(card);
    CloseSource(card);
    if (!rules_.setBeforeRelease && !SetRoute(card, value)) return SourceChange::Refused;
    own[kSourceByte] = source;
    if (!OpenSource(card)) return SourceChange::NotOpened;
    if (metering) StartMetering(card);
    return SourceChange::Applied;
}

bool PlaybackRoutes::SetRoute(int card, win::DWORD value) const {
    return win::waveOutMessage(own_[Entry(card, 0)], driver::OutSetRoute, value, 0) == win::MMSYSERR_NOERROR;
}

void PlaybackRoutes::CloseSource(int card) {
    const std::optional<win::BYTE> applied = Applied(card);
    if (!applied) return;
    if (const std::optional<Device> device = SourceDevice(*applied))
        driver::CloseControlRun(device->direction, 2, CardEntries(sources_, card));
}

bool PlaybackRoutes::OpenSource(int card) {
    const std::optional<Device> device = SourceDevice(*Applied(card));
    if (!device) return true;
    try {
        driver::OpenControlRun(window_, device->kind, device->direction, 0, 1, card, card, CardEntries(sources_, card));
    } catch (const driver::SilentAbort&) {
        return false;
    }
    return true;
}

void PlaybackRoutes::SendToSource(int card, win::UINT outputMessage, win::UINT inputMessage) const {
    const std::optional<win::BYTE> applied = Applied(card);
    if (!applied) return;
    const std::optional<Device> device = SourceDevice(*applied);
    if (!device) {
        if (*applied == SourceProgram && own_[Entry(card, 0)])
            win::waveOutMessage(own_[Entry(card, 0)], outputMessage, 0, 0);
        return;
    }
    for (int channel = 0; channel < 2; ++channel)
        if (const win::HWAVE handle = sources_[Entry(card, channel)])
            SendToHandle(device->direction, handle,
                         device->direction == driver::Direction::Output ? outputMessage : inputMessage, 0);
}

void PlaybackRoutes::StartMetering(int card) const {
    SendToSource(card, driver::OutStartMetering, driver::InStartMetering);
}

void PlaybackRoutes::StopMetering(int card) const {
    SendToSource(card, driver::OutStopMetering, driver::InStopMetering);
}

bool PlaybackRoutes::ReadLevels(int card, win::DWORD levelBlock) const {
    const std::optional<win::BYTE> applied = Applied(card);
    if (!applied) return false;
    const std::optional<Device> device = SourceDevice(*applied);
    if (!device) {
        const win::HWAVE handle = *applied == SourceProgram ? own_[Entry(card, 0)] : 0;
        if (handle) win::waveOutMessage(handle, driver::OutGetLevels, levelBlock, 0);
        return handle != 0;
    }
    // An output is read on its first handle only, an input on whichever of the two is open.
    const bool output = device->direction == driver::Direction::Output;
    for (int channel = 0; channel < (output ? 1 : 2); ++channel)
        if (const win::HWAVE handle = sources_[Entry(card, channel)]) {
            SendToHandle(device->direction, handle, output ? driver::OutGetLevels : driver::InGetLevels, levelBlock);
            return true;
        }
    return false;
}

void PlaybackRoutes::Release() {
    for (int card = 0; card < driver::MaxCards; ++card) {
        CloseSource(card);
        records_[std::size_t(card)] = Records{};
    }
}

} // namespace windows
