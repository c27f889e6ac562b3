#pragma once
// The wave messages that the simulated card received, read from its trace.
#include "simcard/trace.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace windows_test {

struct WaveMessage {
    std::string source; // "wavein" or "waveout"
    std::uint32_t handle = 0;
    std::uint32_t msg = 0;
    std::uint32_t p1 = 0;
};

// The private messages (open, close and capability requests left out), oldest first.
inline std::vector<WaveMessage> TracedMessages() {
    std::vector<WaveMessage> messages;
    for (const simcard::TraceLine& line : simcard::ReadTrace()) {
        char source[16] = {};
        unsigned device = 0;
        unsigned long long handle = 0;
        unsigned msg = 0;
        unsigned long long p1 = 0;
        if (std::sscanf(line.event.c_str(), "%15s dev=%u inst=%llu msg=0x%x p1=0x%llx", source, &device, &handle, &msg,
                        &p1) != 5)
            continue;
        messages.push_back({source, std::uint32_t(handle), msg, std::uint32_t(p1)});
    }
    return messages;
}

// The driver's instance of each control handle that the program opened on a device of the source
// ("wavein" or "waveout"), in the order of opening: the trace names handles by the driver's
// instances, not by the program's ids.
inline std::vector<std::uint32_t> OpenedInstances(const std::string& source) {
    std::vector<std::uint32_t> instances;
    const std::string pattern = source + " dev=%u inst=%llu";
    for (const simcard::TraceLine& line : simcard::ReadTrace()) {
        unsigned device = 0;
        unsigned long long instance = 0;
        if (line.event.find("format=control") == std::string::npos) continue;
        if (std::sscanf(line.event.c_str(), pattern.c_str(), &device, &instance) == 2)
            instances.push_back(std::uint32_t(instance));
    }
    return instances;
}

// Those with one message code.
inline std::vector<WaveMessage> TracedMessages(std::uint32_t msg) {
    std::vector<WaveMessage> found;
    for (const WaveMessage& message : TracedMessages())
        if (message.msg == msg) found.push_back(message);
    return found;
}

} // namespace windows_test
