#pragma once
// The admin tool's commands for the cards on the sound server: serve, connect, connections.
#include "simcard/server/serve_engine.h"

#include <iosfwd>
#include <string>

namespace simcard {

// Wires the connector of card (0..3) to device, "none" or "default". The device must be a sink
// (analog-out, digital-out) or a source (the inputs) that the sound server has now and not one of that
// card's own devices; otherwise throws and the connections stay as they were.
void ConnectConnector(int card, const std::string& connector, const std::string& device, std::ostream& out);

// Each installed card's connectors, with the devices the defaults stand for when the server answers.
void ShowConnections(int cardCount, std::ostream& out);

} // namespace simcard
