#pragma once
// Which real devices of the sound server each card's connectors are wired to, kept in the user's
// configuration folder so that it outlives the session. The file has one line per choice made:
//   <card 1..4> <connector> <device name>|none
// A connector without a line takes its default: the server's default source (analog-in) and sink
// (analog-out), the digital side none. A default that is one of the cards' own devices is none, since
// the card would hear itself.
#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace simcard::server {

enum class Connector { AnalogIn, AnalogOut, DigitalOut, Optical, Electrical, Cd };
inline constexpr std::array kConnectors = {Connector::AnalogIn, Connector::AnalogOut,  Connector::DigitalOut,
                                           Connector::Optical,  Connector::Electrical, Connector::Cd};

// "analog-in", "analog-out", "digital-out", "optical", "electrical", "cd".
std::string_view ConnectorName(Connector connector);
std::optional<Connector> ParseConnector(std::string_view name);
// True for the connectors wired to a sink; the others take a source.
bool TakesSink(Connector connector);

// A connector's choice: nothing stored (the default), none, or a device by name.
struct Wiring {
    enum class Choice { Default, None, Device };
    Choice choice = Choice::Default;
    std::string device;
    friend bool operator==(const Wiring&, const Wiring&) = default;
};

class Connections {
public:
    // card: 0..3.
    Wiring Get(int card, Connector connector) const;
    void Set(int card, Connector connector, Wiring wiring);

    std::string ToText() const;
    // Lines that cannot be read are skipped and named in problems (one line each).
    static Connections FromText(std::string_view text, std::string* problems = nullptr);

    friend bool operator==(const Connections&, const Connections&) = default;

private:
    std::map<std::pair<int, Connector>, Wiring> wirings_;
};

// connections in the card's configuration folder.
std::filesystem::path ConnectionsPath();

// An absent file is no choice made; damaged lines are reported on problems and skipped.
Connections ReadConnections(const std::filesystem::path& path, std::string* problems = nullptr);
// Written to a temporary name and renamed into place; throws std::runtime_error naming the path.
void WriteConnections(const std::filesystem::path& path, const Connections& connections);

// The connector that the digital input select (byte 0 of the digital input's state record: 1 optical,
// 2 electrical, 3 CD) reads from.
Connector SelectedDigitalConnector(std::uint8_t inputSelect);

// The server's view that a default needs.
struct ServerDefaults {
    std::string sink;
    std::string source;
};

// The device the connector is wired to now, or an empty name for none.
std::string WiredDevice(const Wiring& wiring, Connector connector, const ServerDefaults& defaults);

} // namespace simcard::server
