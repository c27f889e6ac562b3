#pragma once
// Driver errors shown to the user, and the start-up report of the driver's and cards' states.
#include "driver/config_records.h"

#include <cstdint>

namespace driver {

// Shows the message box for errorId (cardNumber 0 for the driver, 1 to 4 for a card) and returns
// true, or shows nothing and returns false for the ids that need no message.
bool ShowDriverError(int cardNumber, std::int32_t errorId);

// Shows, one box after another, the messages that the states of a getstates call call for.
void ReportDriverStates(const DriverStates& states);

} // namespace driver
