#pragma once
// What serve knows of the sound server's devices and streams, refreshed on the server's change events:
// enough to wire connectors, to tell the lock rate, and to see applications play into and record from
// the cards' devices (every stream but serve's own).
#include "simcard/server/card_endpoints.h"
#include "simcard/server/connections.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace simcard::server {

struct DeviceFacts {
    std::uint32_t index;
    std::uint32_t rate; // Hz
};

// A stream on a device: a sink input on a sink or a source output on a source.
struct StreamFacts {
    std::uint32_t device; // the sink's or the source's index
    std::uint32_t client; // PA_INVALID_INDEX for a module's own stream
};

struct ServerCatalog {
    ServerDefaults defaults;
    std::map<std::string, DeviceFacts> sinks;
    std::map<std::string, DeviceFacts> sources;
    std::vector<StreamFacts> sinkInputs;
    std::vector<StreamFacts> sourceOutputs;
    std::uint32_t ownClient = 0; // serve's own client index on the server

    bool HasSink(const std::string& name) const { return sinks.contains(name); }
    bool HasSource(const std::string& name) const { return sources.contains(name); }
    // The source's rate in Hz, 0 when the server has no such source (or name is empty).
    std::int32_t SourceRate(const std::string& name) const;
    // An application plays into one of the card's playback devices.
    bool ApplicationPlays(int card) const;
    // An application records from the card's capture device.
    bool ApplicationRecords(int card, Endpoint capture) const;
};

} // namespace simcard::server
