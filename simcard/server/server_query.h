#pragma once
// A one-off look at the sound server's devices for the admin tool: connects, lists the sinks, the
// sources and the defaults, and disconnects.
#include "simcard/server/server_catalog.h"

#include <chrono>
#include <optional>

namespace simcard::server {

// Nothing when no server answers within the timeout.
std::optional<ServerCatalog> QueryServerDevices(std::chrono::milliseconds timeout = std::chrono::seconds(5));

} // namespace simcard::server
