#include "simcard/server/card_endpoints.h"

namespace simcard::server {
namespace {

constexpr std::string_view kPrefix = "kova2.card";

std::string_view EndpointSuffix(Endpoint endpoint) {
    switch (endpoint) {
    case Endpoint::AnalogOut:
        return "analog-out";
    case Endpoint::DigitalOut:
        return "digital-out";
    case Endpoint::AnalogIn:
        return "analog-in";
    case Endpoint::DigitalIn:
        return "digital-in";
    }
    return {};
}

std::string_view EndpointWords(Endpoint endpoint) {
    switch (endpoint) {
    case Endpoint::AnalogOut:
        return "Analog Ausgang";
    case Endpoint::DigitalOut:
        return "Digital Ausgang";
    case Endpoint::AnalogIn:
        return "Analog Eingang";
    case Endpoint::DigitalIn:
        return "Digital Eingang";
    }
    return {};
}

std::string CardPrefix(int card) {
    return std::string(kPrefix) + std::to_string(card + 1) + ".";
}

// Properties in the servers' module argument syntax: the description quoted, the mark beside it.
std::string Properties(const std::string& description) {
    return "'device.description=\"" + description + "\" " + std::string(kServeMark) + "=1'";
}

std::string NullSink(const std::string& name, const std::string& description) {
    return "sink_name=" + name + " rate=" + std::to_string(kDeviceRate) +
           " channels=2 sink_properties=" + Properties(description);
}

} // namespace

bool IsCapture(Endpoint endpoint) {
    return endpoint == Endpoint::AnalogIn || endpoint == Endpoint::DigitalIn;
}

std::string EndpointName(int card, Endpoint endpoint) {
    return CardPrefix(card) + std::string(EndpointSuffix(endpoint));
}

std::string EndpointDescription(int card, Endpoint endpoint) {
    return "Kova 2 Karte #" + std::to_string(card + 1) + " " + std::string(EndpointWords(endpoint));
}

std::string FeedSinkName(int card, Endpoint capture) {
    return EndpointName(card, capture) + ".feed";
}

std::string MonitorName(const std::string& sink) {
    return sink + ".monitor";
}

bool IsCardDevice(std::string_view name) {
    return name.starts_with(kPrefix);
}

bool IsDeviceOfCard(std::string_view name, int card) {
    return name.starts_with(CardPrefix(card));
}

std::vector<ModuleLoad> EndpointModules(int card, Endpoint endpoint) {
    const std::string description = EndpointDescription(card, endpoint);
    if (!IsCapture(endpoint))
        return {{"module-null-sink", NullSink(EndpointName(card, endpoint), description)}};
    const std::string feed = FeedSinkName(card, endpoint);
    return {{"module-null-sink", NullSink(feed, description + " (Zuspielung)")},
            {"module-remap-source", "master=" + MonitorName(feed) +
                                        " source_name=" + EndpointName(card, endpoint) +
                                        " source_properties=" + Properties(description)}};
}

bool CarriesServeMark(std::string_view moduleArguments) {
    return moduleArguments.find(std::string(kServeMark) + "=1") != std::string_view::npos;
}

} // namespace simcard::server
