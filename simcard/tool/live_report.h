#pragma once
// What "kova2-card show" says about serve: whether it runs, and the facts it owns while it does.
#include "simcard/live_file.h"

#include <string>

namespace simcard {

std::string LiveReport(LiveReader& live, int cardCount);

} // namespace simcard
