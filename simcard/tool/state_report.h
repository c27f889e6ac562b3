#pragma once
// The readable account of the card that "kova2-card show" prints.
#include "simcard/state_layout.h"

#include <filesystem>
#include <string>

namespace simcard {

std::string StateReport(const CardStateLayout& state, const std::filesystem::path& file);

// An error id with its meaning where the card gives it one: "1 (ready)", "-30".
std::string ErrorIdText(std::int32_t id);

} // namespace simcard
