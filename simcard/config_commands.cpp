#include "simcard/config_commands.h"

#include "simcard/live_facts.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace simcard {
namespace {

constexpr std::array kCommands = {
    ConfigCommandEntry{ConfigCommand::GetStates, "getstates", kDriverStatesSize},
    ConfigCommandEntry{ConfigCommand::Reconfigurable, "reconfigurable", kReconfigurableSize},
    ConfigCommandEntry{ConfigCommand::GetConfig, "getconfig", kConfigArraySize},
    ConfigCommandEntry{ConfigCommand::SetConfig, "setconfig", kConfigArraySize},
    ConfigCommandEntry{ConfigCommand::SetConfigOnTheFly, "setconfig_onthefly", kOnTheFlySize},
};

// Cards past the count read as "no card", which ends the caller's list.
void WriteStates(std::span<std::byte> record, const CardStateLayout& state) {
    StoreInt32(record.data(), state.driverState);
    for (int card = 0; card < kMaxCards; ++card) {
        const std::int32_t cardState = card < state.cardCount ? state.cardStates[card] : kStateNoCard;
        StoreInt32(record.data() + 4 * (card + 1), cardState);
    }
}

} // namespace

bool Reconfigurable(const CardStateLayout& state) {
    if (!state.reconfigurable) return false;
    for (int card = 0; card < std::min(state.cardCount, kMaxCards); ++card)
        if (WithLiveFacts(state.hardware[card], card, ProcessLive()).playbackRunning) return false;
    return true;
}

std::optional<ConfigCommandEntry> FindConfigCommand(std::string_view name) {
    const auto found = std::ranges::find(kCommands, name, &ConfigCommandEntry::name);
    if (found == kCommands.end()) return std::nullopt;
    return *found;
}

void ExecuteConfigCommand(ConfigCommand command, std::span<std::byte> record, CardStateLayout& state) {
    switch (command) {
    case ConfigCommand::GetStates:
        WriteStates(record, state);
        break;
    case ConfigCommand::Reconfigurable:
        StoreInt32(record.data(), Reconfigurable(state) ? kTrue : kFalse);
        break;
    case ConfigCommand::GetConfig:
        std::memcpy(record.data(), state.configArray.data(), kConfigArraySize);
        break;
    case ConfigCommand::SetConfig:
        std::memcpy(state.configArray.data(), record.data(), kConfigArraySize);
        break;
    case ConfigCommand::SetConfigOnTheFly:
        state.onTheFlyGranularity = LoadInt32(record.data() + on_the_fly::kGranularity);
        state.onTheFlyLatency = LoadInt32(record.data() + on_the_fly::kLatency);
        break;
    }
}

} // namespace simcard
