#include "simcard/server/device_bus.h"

#include "simcard/serve/card_mixer.h"

#include <algorithm>

namespace simcard::server {

using serve::kChannels;

void DeviceBus::StartBlock(std::size_t frames) {
    samples_ = frames * kChannels;
    recorded_.clear();
    silence_.assign(samples_, 0.0f);
    for (auto& [device, mix] : mixes_)
        mix.assign(samples_, 0.0f);
}

void DeviceBus::SetRecorded(const std::string& device, std::span<const float> block) {
    if (!device.empty()) recorded_[device] = block;
}

std::span<const float> DeviceBus::Recorded(const std::string& device) const {
    const auto found = recorded_.find(device);
    return found == recorded_.end() ? std::span<const float>() : found->second;
}

void DeviceBus::AddToMix(const std::string& device, std::span<const float> block) {
    if (device.empty()) return;
    auto [entry, added] = mixes_.try_emplace(device);
    if (added) entry->second.assign(samples_, 0.0f);
    std::vector<float>& mix = entry->second;
    const std::size_t count = std::min(block.size(), mix.size());
    for (std::size_t i = 0; i < count; ++i)
        mix[i] += block[i];
}

std::span<const float> DeviceBus::Mix(const std::string& device) const {
    const auto found = mixes_.find(device);
    return found == mixes_.end() ? std::span<const float>(silence_) : std::span<const float>(found->second);
}

} // namespace simcard::server
