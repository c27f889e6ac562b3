#include "simcard/handle_table.h"

#include <algorithm>

namespace simcard {

HandleNumber HandleTable::Open(const CardDevice& device) {
    std::lock_guard guard(mutex_);
    const HandleNumber number = ++lastNumber_;
    handles_.emplace(number, Handle{device});
    return number;
}

bool HandleTable::Close(HandleNumber number) {
    std::lock_guard guard(mutex_);
    return handles_.erase(number) == 1;
}

std::optional<CardDevice> HandleTable::Device(HandleNumber number) const {
    std::lock_guard guard(mutex_);
    const auto found = handles_.find(number);
    if (found == handles_.end()) return std::nullopt;
    return found->second.device;
}

bool HandleTable::SetMetering(HandleNumber number, bool on) {
    std::lock_guard guard(mutex_);
    const auto found = handles_.find(number);
    if (found == handles_.end()) return false;
    found->second.metering = on;
    return true;
}

int HandleTable::MeteringHandles(const CardDevice& device) const {
    std::lock_guard guard(mutex_);
    return static_cast<int>(std::ranges::count_if(handles_, [&device](const auto& entry) {
        return entry.second.metering && entry.second.device == device;
    }));
}

HandleTable& ProcessHandles() {
    static HandleTable table;
    return table;
}

} // namespace simcard
