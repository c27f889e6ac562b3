#include "simcard/tool/server_commands.h"

#include "simcard/server/connections.h"
#include "simcard/server/server_query.h"
#include "simcard/tool/admin_tool.h"

#include <iomanip>
#include <ostream>

namespace simcard {
namespace {

using server::Connector;
using server::Wiring;

Connector ParseConnectorName(const std::string& name) {
    if (const auto connector = server::ParseConnector(name)) return *connector;
    throw UsageError("expected analog-in, analog-out, digital-out, optical, electrical or cd, not \"" + name +
                     "\"");
}

// The names of the devices of the kind the connector takes, for a message.
std::string DeviceList(const std::map<std::string, server::DeviceFacts>& devices) {
    std::string list;
    for (const auto& [name, facts] : devices)
        list += "\n  " + name;
    return list.empty() ? " none" : list;
}

void CheckDevice(int card, Connector connector, const std::string& device) {
    const auto catalog = server::QueryServerDevices();
    if (!catalog)
        throw std::runtime_error("no sound server answers, so " + device +
                                 " cannot be checked; nothing changed");
    const bool sink = server::TakesSink(connector);
    const auto& devices = sink ? catalog->sinks : catalog->sources;
    if (!devices.contains(device)) {
        throw std::runtime_error("the sound server has no " + std::string(sink ? "sink" : "source") +
                                 " named \"" + device + "\"; nothing changed. Its " +
                                 (sink ? "sinks" : "sources") + " are:" + DeviceList(devices));
    }
    if (server::IsDeviceOfCard(device, card)) {
        throw std::runtime_error(device + " is card " + std::to_string(card + 1) +
                                 "'s own device: the card would hear itself; nothing changed");
    }
}

std::string WiringText(const Wiring& wiring) {
    switch (wiring.choice) {
    case Wiring::Choice::None:
        return "none";
    case Wiring::Choice::Device:
        return wiring.device;
    case Wiring::Choice::Default:
        break;
    }
    return "default";
}

} // namespace

void ConnectConnector(int card, const std::string& connectorName, const std::string& device,
                      std::ostream& out) {
    const Connector connector = ParseConnectorName(connectorName);
    Wiring wiring;
    if (device == "none") {
        wiring.choice = Wiring::Choice::None;
    } else if (device != "default") {
        CheckDevice(card, connector, device);
        wiring = {Wiring::Choice::Device, device};
    }
    const auto path = server::ConnectionsPath();
    server::Connections connections = server::ReadConnections(path);
    connections.Set(card, connector, wiring);
    server::WriteConnections(path, connections);
    out << "card " << card + 1 << " " << connectorName << ": " << WiringText(wiring) << '\n';
}

void ShowConnections(int cardCount, std::ostream& out) {
    const server::Connections connections = server::ReadConnections(server::ConnectionsPath());
    const auto catalog = server::QueryServerDevices();
    for (int card = 0; card < cardCount; ++card) {
        for (const Connector connector : server::kConnectors) {
            const Wiring wiring = connections.Get(card, connector);
            out << "card " << card + 1 << "  " << std::left << std::setw(13)
                << server::ConnectorName(connector) << WiringText(wiring);
            if (wiring.choice == Wiring::Choice::Default) {
                const std::string device =
                    catalog ? server::WiredDevice(wiring, connector, catalog->defaults) : std::string();
                out << (catalog ? " (" + (device.empty() ? std::string("none") : device) + ")"
                                : std::string(" (no sound server answers)"));
            }
            out << '\n';
        }
    }
}

} // namespace simcard
