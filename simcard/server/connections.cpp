#include "simcard/server/connections.h"

#include "platform/paths.h"
#include "simcard/hardware_state.h"
#include "simcard/server/card_endpoints.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace simcard::server {
namespace {

constexpr std::array<std::string_view, kConnectors.size()> kConnectorNames = {
    "analog-in", "analog-out", "digital-out", "optical", "electrical", "cd"};
constexpr std::string_view kNone = "none";
constexpr int kCards = 4;

std::optional<int> ParseCard(std::string_view text) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '0' + kCards) return std::nullopt;
    return text[0] - '1';
}

} // namespace

std::string_view ConnectorName(Connector connector) {
    return kConnectorNames[static_cast<std::size_t>(connector)];
}

std::optional<Connector> ParseConnector(std::string_view name) {
    const auto found = std::ranges::find(kConnectorNames, name);
    if (found == kConnectorNames.end()) return std::nullopt;
    return kConnectors[static_cast<std::size_t>(found - kConnectorNames.begin())];
}

bool TakesSink(Connector connector) {
    return connector == Connector::AnalogOut || connector == Connector::DigitalOut;
}

Wiring Connections::Get(int card, Connector connector) const {
    const auto found = wirings_.find({card, connector});
    return found == wirings_.end() ? Wiring{} : found->second;
}

void Connections::Set(int card, Connector connector, Wiring wiring) {
    if (wiring.choice == Wiring::Choice::Default)
        wirings_.erase({card, connector});
    else
        wirings_[{card, connector}] = std::move(wiring);
}

std::string Connections::ToText() const {
    std::string text;
    for (const auto& [where, wiring] : wirings_) {
        text += std::to_string(where.first + 1) + " " + std::string(ConnectorName(where.second)) + " " +
                (wiring.choice == Wiring::Choice::None ? std::string(kNone) : wiring.device) + "\n";
    }
    return text;
}

Connections Connections::FromText(std::string_view text, std::string* problems) {
    Connections connections;
    std::istringstream lines{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream words(line);
        std::string card, connector, device, extra;
        words >> card >> connector >> device >> extra;
        if (card.empty()) continue;
        const auto cardIndex = ParseCard(card);
        const auto parsed = ParseConnector(connector);
        if (!cardIndex || !parsed || device.empty() || !extra.empty()) {
            if (problems) *problems += "line " + std::to_string(number) + " skipped: " + line + "\n";
            continue;
        }
        connections.Set(*cardIndex, *parsed,
                        device == kNone ? Wiring{Wiring::Choice::None, {}}
                                        : Wiring{Wiring::Choice::Device, device});
    }
    return connections;
}

std::filesystem::path ConnectionsPath() {
    return platform::CardConfigDir() / "connections";
}

Connections ReadConnections(const std::filesystem::path& path, std::string* problems) {
    std::ifstream file(path);
    if (!file) return {};
    std::ostringstream text;
    text << file.rdbuf();
    return Connections::FromText(text.str(), problems);
}

void WriteConnections(const std::filesystem::path& path, const Connections& connections) {
    const std::filesystem::path temporary = path.string() + ".new." + std::to_string(getpid());
    {
        std::ofstream file(temporary, std::ios::trunc);
        file << connections.ToText();
        file.flush();
        if (!file) {
            std::filesystem::remove(temporary);
            throw std::runtime_error("cannot write " + temporary.string());
        }
    }
    chmod(temporary.c_str(), 0600);
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        throw std::runtime_error("cannot replace " + path.string());
    }
}

Connector SelectedDigitalConnector(std::uint8_t inputSelect) {
    switch (inputSelect) {
    case kInputElectrical:
        return Connector::Electrical;
    case kInputCd:
        return Connector::Cd;
    default:
        return Connector::Optical;
    }
}

std::string WiredDevice(const Wiring& wiring, Connector connector, const ServerDefaults& defaults) {
    switch (wiring.choice) {
    case Wiring::Choice::None:
        return {};
    case Wiring::Choice::Device:
        return wiring.device;
    case Wiring::Choice::Default:
        break;
    }
    const std::string* fallback = connector == Connector::AnalogIn    ? &defaults.source
                                  : connector == Connector::AnalogOut ? &defaults.sink
                                                                      : nullptr;
    if (!fallback || IsCardDevice(*fallback)) return {};
    return *fallback;
}

} // namespace simcard::server
