#include "simcard/server/server_catalog.h"

#include <algorithm>

namespace simcard::server {
namespace {

// Whether another client's stream uses the named device.
bool OthersUse(const std::map<std::string, DeviceFacts>& devices, const std::vector<StreamFacts>& streams,
               const std::string& name, std::uint32_t ownClient) {
    const auto device = devices.find(name);
    if (device == devices.end()) return false;
    return std::ranges::any_of(streams, [&](const StreamFacts& stream) {
        return stream.device == device->second.index && stream.client != ownClient;
    });
}

} // namespace

std::int32_t ServerCatalog::SourceRate(const std::string& name) const {
    const auto found = sources.find(name);
    return found == sources.end() ? 0 : static_cast<std::int32_t>(found->second.rate);
}

bool ServerCatalog::ApplicationPlays(int card) const {
    return OthersUse(sinks, sinkInputs, EndpointName(card, Endpoint::AnalogOut), ownClient) ||
           OthersUse(sinks, sinkInputs, EndpointName(card, Endpoint::DigitalOut), ownClient);
}

bool ServerCatalog::ApplicationRecords(int card, Endpoint capture) const {
    return OthersUse(sources, sourceOutputs, EndpointName(card, capture), ownClient);
}

} // namespace simcard::server
