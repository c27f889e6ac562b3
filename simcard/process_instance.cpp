#include "simcard/process_instance.h"

#include <array>
#include <cstdlib>
#include <optional>
#include <string>

namespace simcard {
namespace {

constexpr std::array kVariables = {"KOVA2_HOME", "XDG_RUNTIME_DIR"};

} // namespace

struct FolderChoice::Seen {
    std::array<std::optional<std::string>, kVariables.size()> values;
};

FolderChoice::FolderChoice() : seen_(std::make_unique<Seen>()) {}
FolderChoice::~FolderChoice() = default;

bool FolderChoice::Changed() {
    bool changed = false;
    for (std::size_t i = 0; i < kVariables.size(); ++i) {
        const char* value = std::getenv(kVariables[i]);
        auto& seen = seen_->values[i];
        if (seen.has_value() == (value != nullptr) && (!value || *seen == value)) continue;
        seen = value ? std::optional<std::string>(value) : std::nullopt;
        changed = true;
    }
    return changed;
}

} // namespace simcard
