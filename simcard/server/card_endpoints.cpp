#include "simcard/server/card_endpoints.h"

namespace simcard::server {
namespace {

constexpr std::string_view kPrefix = "kova2.card";

// Per endpoint, in the order of Endpoint: its name's last part and its description's last words.
struct EndpointText {
    std::string_view suffix;
    std::string_view words;
};
constexpr std::array<EndpointText, kEndpoints.size()> kEndpointTexts = {{{"analog-out", "Analog Ausgang"},
                                                                         {"digital-out", "Digital Ausgang"},
                                                                         {"analog-in", "Analog Eingang"},
                                                                         {"digital-in", "Digital Eingang"}}};

const EndpointText& TextOf(Endpoint endpoint) {
    return kEndpointTexts[static_cast<std::size_t>(endpoint)];
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
    return CardPrefix(card) + std::string(TextOf(endpoint).suffix);
}

std::string EndpointDescription(int card, Endpoint endpoint) {
    return "Kova 2 Karte #" + std::to_string(card + 1) + " " + std::string(TextOf(endpoint).words);
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
