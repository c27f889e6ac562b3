#include "simcard/state_layout.h"

#include <span>

namespace simcard {
namespace {

constexpr std::int32_t kDefaultCardCount = 2;
constexpr std::int32_t kDefaultKerning = 1; // track-bar position 0..3
constexpr std::int32_t kDefaultPreload = 8; // track-bar position 2..50, at least kerning + 2

constexpr std::int32_t OnTheFlyValue(std::int32_t position) {
    return position * 1000 / 800;
}

// Card 0 drives SyncBus from its internal clock; every card runs autonomously on its own clock, with the
// driver's conflict messages on and no playback restriction.
void WriteDefaultCardConfig(std::span<std::byte, kCardConfigSize> record, int card) {
    using namespace card_config;
    auto set = [&record](std::size_t offset, std::int32_t value) {
        StoreInt32(record.data() + offset, value);
    };
    set(kSyncBusMaster, card == 0 ? kTrue : kFalse);
    set(kSyncBusClock, 0);
    set(kRateConflictMsgs, kTrue);
    set(kDevConflictMsgs, kTrue);
    set(kAnaClockA, 0);
    set(kAnaClockB, 0);
    set(kDigPlayClock, 0);
    set(kDsLatency, 0);
    set(kRestrictedRate, 0);
    set(kRestrictedRes, 0);
    set(kRestrictedDev, kFalse);
    set(kRestrictedDevice, -1);
    set(kGsifKerning, kDefaultKerning);
    set(kGsifPreload, kDefaultPreload);
}

} // namespace

CardStateLayout DefaultState() {
    CardStateLayout state{};
    state.header = {kStateMagic, kLayoutVersion, static_cast<std::uint32_t>(kStateFileSize)};
    state.driverState = kStateReady;
    state.cardCount = kDefaultCardCount;
    state.cardStates.fill(kStateReady);
    state.reconfigurable = kTrue;
    state.onTheFlyGranularity = OnTheFlyValue(kDefaultKerning);
    state.onTheFlyLatency = OnTheFlyValue(kDefaultPreload);
    for (int card = 0; card < kMaxCards; ++card) {
        WriteDefaultCardConfig(
            std::span(state.configArray).subspan(card * kCardConfigSize).first<kCardConfigSize>(), card);
        state.hardware[card] = DefaultHardware(card);
    }
    return state;
}

std::optional<std::string> StateProblem(const CardStateLayout& state) {
    if (state.header.magic != kStateMagic) return "is not a card state file";
    if (state.header.layoutVersion != kLayoutVersion) {
        return "has layout version " + std::to_string(state.header.layoutVersion) + " instead of " +
               std::to_string(kLayoutVersion);
    }
    if (state.header.fileSize != kStateFileSize) {
        return "claims " + std::to_string(state.header.fileSize) + " bytes instead of " +
               std::to_string(kStateFileSize);
    }
    if (state.cardCount < 1 || state.cardCount > kMaxCards) {
        return "holds a card count of " + std::to_string(state.cardCount) + " (1 to 4 allowed)";
    }
    for (int card = 0; card < kMaxCards; ++card) {
        if (auto problem = HardwareProblem(state.hardware[card])) {
            return "holds " + *problem + " in card slot " + std::to_string(card + 1);
        }
        for (int other = 0; other < card; ++other) {
            if (state.hardware[other].devNode == state.hardware[card].devNode) {
                return "gives card slots " + std::to_string(other + 1) + " and " + std::to_string(card + 1) +
                       " one device node";
            }
        }
    }
    return std::nullopt;
}

} // namespace simcard
