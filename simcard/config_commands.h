#pragma once
// The five configuration commands and what each does to the card state.
#include "simcard/state_layout.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace simcard {

enum class ConfigCommand { GetStates, Reconfigurable, GetConfig, SetConfig, SetConfigOnTheFly };

struct ConfigCommandEntry {
    ConfigCommand command;
    std::string_view name;  // as it stands in the argument string
    std::size_t recordSize; // bytes the data block must hold
};

std::optional<ConfigCommandEntry> FindConfigCommand(std::string_view name);

// Whether the driver's settings may change now: not while the admin tool forbids it, nor while an
// application plays on one of the installed cards.
bool Reconfigurable(const CardStateLayout& state);

// Carries the command out on the first recordSize bytes of record, which the caller has checked.
void ExecuteConfigCommand(ConfigCommand command, std::span<std::byte> record, CardStateLayout& state);

} // namespace simcard
