#pragma once
// One block's signals by device name, between serve's streams and the cards: what each recorded device
// gave, and what each device played to is to play, summed over every connector wired to it. So each
// real device has one stream however many cards use it (the server would sum separate streams alike).
// An empty name is no device: nothing is recorded from it and what is added to it goes nowhere.
#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace simcard::server {

class DeviceBus {
public:
    // A new block of frames: every mix silent, no device recorded yet.
    void StartBlock(std::size_t frames);

    // The block stays the caller's and must live until the next StartBlock.
    void SetRecorded(const std::string& device, std::span<const float> block);
    // The device's block, empty (silence) when it has none.
    std::span<const float> Recorded(const std::string& device) const;

    // block: interleaved stereo; a shorter one adds to the mix's start.
    void AddToMix(const std::string& device, std::span<const float> block);
    // The sum of what was added to the device, silence when nothing was.
    std::span<const float> Mix(const std::string& device) const;

private:
    std::size_t samples_ = 0;
    std::map<std::string, std::span<const float>> recorded_;
    std::map<std::string, std::vector<float>> mixes_; // kept from block to block: no allocation once running
    std::vector<float> silence_;
};

} // namespace simcard::server
