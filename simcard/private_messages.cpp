#include "simcard/private_messages.h"

#include "platform/wow16.h"
#include "simcard/live_facts.h"
#include "simcard/programme_signal.h"
#include "simcard/wave_codes.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <optional>

namespace simcard {
namespace {

using Record = std::array<std::byte, 4>;

constexpr std::uint8_t kRouteChannels = 2;
constexpr int kMaxCount = 255; // byte 3 of a route record

// The card's hardware seen by one message: a copy that becomes the card's when the message succeeds.
struct Context {
    HandleNumber handle;
    CardDevice device;
    CardHardware& hardware;
    HandleTable& handles;
    LiveReader& live;
    std::int64_t timeMs;
};

using Handler = MessageResult (*)(Context&, win::DWORD_PTR);

std::string Hex(win::DWORD_PTR value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%08llX", static_cast<unsigned long long>(value));
    return text;
}

MessageResult WriteBlock(win::DWORD_PTR address, const void* bytes, std::size_t size) {
    void* block = address > 0xFFFFFFFF ? nullptr
                                       : win::WOWGetVDMPointer(static_cast<win::DWORD>(address),
                                                               static_cast<win::DWORD>(size), win::TRUE);
    if (!block) {
        return Refused(win::MMSYSERR_INVALPARAM,
                       "block " + Hex(address) + " does not hold " + std::to_string(size) + " bytes");
    }
    std::memcpy(block, bytes, size);
    return Done();
}

MessageResult WriteRecord(win::DWORD_PTR address, const Record& record) {
    return WriteBlock(address, record.data(), record.size());
}

MessageResult WriteValue(win::DWORD_PTR address, std::int32_t value) {
    return WriteBlock(address, &value, sizeof value);
}

Record Bytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
    return {std::byte{b0}, std::byte{b1}, std::byte{b2}, std::byte{b3}};
}

Record Words(const std::array<std::uint16_t, 2>& words) {
    Record record;
    std::memcpy(record.data(), words.data(), record.size());
    return record;
}

// Applies a value message: set receives the 32-bit value, which must fit.
template <class Set> MessageResult WithValue(win::DWORD_PTR param, Set&& set) {
    if (param > 0xFFFFFFFF)
        return Refused(win::MMSYSERR_INVALPARAM, "value " + Hex(param) + " is wider than 32 bits");
    return set(static_cast<win::DWORD>(param));
}

std::array<std::uint16_t, 2> SplitWords(win::DWORD value) {
    return {win::LOWORD(value), win::HIWORD(value)};
}

std::array<std::uint16_t, 2> MuteWords(win::DWORD value) {
    auto mute = [](std::uint16_t word) -> std::uint16_t { return word ? 0xFFFF : 0; };
    return {mute(win::LOWORD(value)), mute(win::HIWORD(value))};
}

std::array<std::uint8_t, 3>& InputState(Context& context) {
    return context.device.kind == DeviceKind::Analog ? context.hardware.analogInputState
                                                     : context.hardware.digitalInputState;
}

std::uint8_t& Source(Context& context) {
    return context.device.kind == DeviceKind::Analog ? context.hardware.analogOutputSource
                                                     : context.hardware.digitalOutputSource;
}

std::uint8_t PathUsers(const Context& context) {
    const int users =
        context.handles.MeteringHandles({Direction::Input, context.device.kind, context.device.card}) +
        (context.hardware.playbackRunning ? 1 : 0);
    return static_cast<std::uint8_t>(std::min(users, kMaxCount));
}

using WordPair = std::array<std::uint16_t, 2>;

// The pair records that travel as they are stored: gains, volumes, mutes.
template <WordPair CardHardware::*field> MessageResult GetWordPair(Context& context, win::DWORD_PTR param) {
    return WriteRecord(param, Words(context.hardware.*field));
}

template <WordPair CardHardware::*field, WordPair (*decode)(win::DWORD)>
MessageResult SetWordPair(Context& context, win::DWORD_PTR param) {
    return WithValue(param, [&](win::DWORD value) {
        context.hardware.*field = decode(value);
        return Done();
    });
}

MessageResult GetInputState(Context& context, win::DWORD_PTR param) {
    const auto& state = InputState(context);
    const bool signal = context.device.kind == DeviceKind::Analog || context.hardware.lockRate != 0;
    return WriteRecord(param, Bytes(state[0], state[1], state[2], signal ? 1 : 0));
}

MessageResult SetInputState(Context& context, win::DWORD_PTR param) {
    return WithValue(param, [&](win::DWORD value) {
        auto& state = InputState(context);
        for (std::size_t byte = 0; byte < state.size(); ++byte)
            state[byte] = static_cast<std::uint8_t>(value >> (8 * byte));
        return Done();
    });
}

MessageResult StartMeter(Context& context, win::DWORD_PTR) {
    context.handles.SetMetering(context.handle, true);
    return Done();
}

MessageResult StopMeter(Context& context, win::DWORD_PTR) {
    context.handles.SetMetering(context.handle, false);
    return Done();
}

// Without serve the programme signal; with it, the peak since this handle's last read (0 once serve's
// heartbeat has stopped).
StereoLevel MeteredLevel(Context& context) {
    if (context.live.Status() == LiveStatus::NoServer) {
        return DeviceLevel(context.hardware, context.device, context.timeMs);
    }
    StereoLevel level{};
    context.handles.WithLevelCursor(context.handle, [&](std::uint64_t& cursor) {
        level = context.live.PeakSince(context.device, cursor);
    });
    return level;
}

MessageResult ReadLevel(Context& context, win::DWORD_PTR param) {
    const bool metered = context.handles.MeteringHandles(context.device) > 0;
    const StereoLevel level = metered ? MeteredLevel(context) : StereoLevel{};
    const std::array<std::int32_t, 2> block = {level.left, level.right};
    MessageResult written = WriteBlock(param, block.data(), sizeof block);
    if (written.result == win::MMSYSERR_NOERROR && !metered) {
        return Refused(win::MMSYSERR_NOTENABLED, "metering is not running on this device");
    }
    return written;
}

MessageResult GetLockRate(Context& context, win::DWORD_PTR param) {
    return WriteValue(param, context.hardware.lockRate);
}

MessageResult GetRoute(Context& context, win::DWORD_PTR param) {
    const auto kind = static_cast<std::uint8_t>(context.device.kind);
    return WriteRecord(param, Bytes(Source(context), kRouteChannels, kind, PathUsers(context)));
}

MessageResult SetRoute(Context& context, win::DWORD_PTR param) {
    return WithValue(param, [&](win::DWORD value) {
        const auto source = static_cast<std::uint8_t>(value & 0xFF);
        if (context.hardware.refuseRoute && source != Source(context)) {
            return Refused(win::MMSYSERR_ALLOCATED, "route changes are refused");
        }
        Source(context) = source;
        return Done();
    });
}

MessageResult GetFormat(Context& context, win::DWORD_PTR param) {
    return WriteValue(param, context.hardware.digitalFormat);
}

MessageResult SetFormat(Context& context, win::DWORD_PTR param) {
    return WithValue(param, [&](win::DWORD value) {
        context.hardware.digitalFormat = static_cast<std::int32_t>(value);
        return Done();
    });
}

MessageResult GetDevNode(Context& context, win::DWORD_PTR param) {
    return WriteValue(param, context.hardware.devNode);
}

enum class Effect { Reads, Sets };

struct MessageEntry {
    Direction direction;
    win::UINT code;
    std::optional<DeviceKind> kind; // the one kind of device that takes it; both when empty
    Effect effect;                  // whether it changes the card's hardware
    Handler run;
};

constexpr auto kAnalog = DeviceKind::Analog;
constexpr auto kDigital = DeviceKind::Digital;
constexpr std::optional<DeviceKind> kBoth;
constexpr auto kIn = Direction::Input;
constexpr auto kOut = Direction::Output;

constexpr std::array kMessages = {
    MessageEntry{kIn, wave_code::kGetGains, kAnalog, Effect::Reads, GetWordPair<&CardHardware::inputGain>},
    MessageEntry{kIn, wave_code::kSetGains, kAnalog, Effect::Sets,
                 SetWordPair<&CardHardware::inputGain, SplitWords>},
    MessageEntry{kIn, wave_code::kGetInputState, kBoth, Effect::Reads, GetInputState},
    MessageEntry{kIn, wave_code::kSetInputState, kBoth, Effect::Sets, SetInputState},
    MessageEntry{kIn, wave_code::kStartInputMeter, kBoth, Effect::Reads, StartMeter},
    MessageEntry{kIn, wave_code::kStopInputMeter, kBoth, Effect::Reads, StopMeter},
    MessageEntry{kIn, wave_code::kReadInputLevel, kBoth, Effect::Reads, ReadLevel},
    MessageEntry{kIn, wave_code::kGetLockRate, kDigital, Effect::Reads, GetLockRate},
    MessageEntry{kIn, wave_code::kGetInputMutes, kAnalog, Effect::Reads,
                 GetWordPair<&CardHardware::inputMute>},
    MessageEntry{kIn, wave_code::kSetInputMutes, kAnalog, Effect::Sets,
                 SetWordPair<&CardHardware::inputMute, MuteWords>},
    MessageEntry{kOut, wave_code::kGetVolume, kAnalog, Effect::Reads,
                 GetWordPair<&CardHardware::outputVolume>},
    MessageEntry{kOut, wave_code::kSetVolume, kAnalog, Effect::Sets,
                 SetWordPair<&CardHardware::outputVolume, SplitWords>},
    MessageEntry{kOut, wave_code::kGetOutputMutes, kAnalog, Effect::Reads,
                 GetWordPair<&CardHardware::outputMute>},
    MessageEntry{kOut, wave_code::kSetOutputMutes, kAnalog, Effect::Sets,
                 SetWordPair<&CardHardware::outputMute, MuteWords>},
    MessageEntry{kOut, wave_code::kStartOutputMeter, kBoth, Effect::Reads, StartMeter},
    MessageEntry{kOut, wave_code::kStopOutputMeter, kBoth, Effect::Reads, StopMeter},
    MessageEntry{kOut, wave_code::kReadOutputLevel, kBoth, Effect::Reads, ReadLevel},
    MessageEntry{kOut, wave_code::kGetRoute, kBoth, Effect::Reads, GetRoute},
    MessageEntry{kOut, wave_code::kSetRoute, kBoth, Effect::Sets, SetRoute},
    MessageEntry{kOut, wave_code::kGetFormat, kDigital, Effect::Reads, GetFormat},
    MessageEntry{kOut, wave_code::kSetFormat, kDigital, Effect::Sets, SetFormat},
    MessageEntry{kOut, wave_code::kGetDevNode, kBoth, Effect::Reads, GetDevNode},
};

MessageResult Uninstalled(int card) {
    return Refused(win::MMSYSERR_NODRIVER, "card " + std::to_string(card + 1) + " is no longer installed");
}

const MessageEntry* FindMessage(Direction direction, win::UINT code) {
    const auto found = std::ranges::find_if(kMessages, [&](const MessageEntry& entry) {
        return entry.direction == direction && entry.code == code;
    });
    return found == kMessages.end() ? nullptr : &*found;
}

// A set runs on a copy of the card's hardware under the state's lock, and the copy replaces the
// card's when it is sound.
MessageResult Set(const MessageEntry& entry, Context& context, win::DWORD_PTR param, CardStateLayout& state) {
    const int card = context.device.card;
    if (card >= state.cardCount) return Uninstalled(card);
    context.hardware = state.hardware[card];
    MessageResult result = entry.run(context, param);
    if (result.result != win::MMSYSERR_NOERROR || context.hardware == state.hardware[card]) return result;
    if (auto problem = HardwareProblem(context.hardware)) {
        return Refused(win::MMSYSERR_INVALPARAM, Hex(param) + " would leave the card with " + *problem);
    }
    state.hardware[card] = context.hardware;
    return result;
}

MessageResult Get(const MessageEntry& entry, Context& context, win::DWORD_PTR param,
                  const CardStateLayout& state) {
    const int card = context.device.card;
    if (card >= state.cardCount) return Uninstalled(card);
    context.hardware = WithLiveFacts(state.hardware[card], card, context.live);
    return entry.run(context, param);
}

} // namespace

MessageResult PrivateMessage(HandleNumber handle, const CardDevice& device, win::UINT message,
                             win::DWORD_PTR param, StateFile& state, HandleTable& handles, LiveReader& live,
                             std::int64_t timeMs) {
    const MessageEntry* entry = FindMessage(device.direction, message);
    if (!entry) return Refused(win::MMSYSERR_NOTSUPPORTED, "the card has no such message");
    if (entry->kind && *entry->kind != device.kind) {
        return Refused(win::MMSYSERR_NOTSUPPORTED, "not a message for " + DeviceName(device));
    }
    CardHardware hardware{};
    Context context{handle, device, hardware, handles, live, timeMs};
    if (entry->effect == Effect::Sets) {
        return state.Access([&](CardStateLayout& layout) { return Set(*entry, context, param, layout); });
    }
    return state.Read([&](const CardStateLayout& layout) { return Get(*entry, context, param, layout); });
}

} // namespace simcard
