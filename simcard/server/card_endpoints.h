#pragma once
// What serve adds to the sound server for each card: two playback devices (null sinks whose monitors
// serve records) and two capture devices (a remap source over a feed null sink that serve plays
// into), with the names the servers accept and the descriptions a user reads. Every module serve
// loads carries kServeMark among its properties, so that a later serve finds what a killed one left.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace simcard::server {

enum class Endpoint { AnalogOut, DigitalOut, AnalogIn, DigitalIn };
inline constexpr std::array kEndpoints = {Endpoint::AnalogOut, Endpoint::DigitalOut, Endpoint::AnalogIn,
                                          Endpoint::DigitalIn};

constexpr std::string_view kServeMark = "kova2.serve";
constexpr int kDeviceRate = 48000; // Hz, the card's devices and its mixer

bool IsCapture(Endpoint endpoint);

// card: 0..3. "kova2.card1.analog-out", …
std::string EndpointName(int card, Endpoint endpoint);
// "Kova 2 Karte #1 Analog Ausgang", …
std::string EndpointDescription(int card, Endpoint endpoint);
// The null sink behind a capture device, which serve plays into.
std::string FeedSinkName(int card, Endpoint capture);
// The monitor source of a sink.
std::string MonitorName(const std::string& sink);

// A device of any card (its playback or capture device, their monitors and feeds).
bool IsCardDevice(std::string_view name);
// A device of that card.
bool IsDeviceOfCard(std::string_view name, int card);

struct ModuleLoad {
    std::string module;
    std::string arguments;
};

// The modules that make the endpoint, in the order to load them.
std::vector<ModuleLoad> EndpointModules(int card, Endpoint endpoint);

// True for the arguments of a module that serve loaded.
bool CarriesServeMark(std::string_view moduleArguments);

} // namespace simcard::server
