#pragma once
// The message box that each driver error id stands for.
#include "platform/win_types.h"

#include <cstdint>
#include <optional>
#include <string>

namespace driver {

struct DriverErrorMessage {
    std::string text;
    std::string caption;
    win::UINT icon; // MB_ICONHAND or MB_ICONASTERISK
};

// The message for errorId reported for card cardNumber (0 for the driver as a whole, 1 to 4 for a
// card); nullopt for the ids that call for none (1, 0, -50). Ids without a text of their own get the
// "Undefined ErrId" message.
std::optional<DriverErrorMessage> MessageForDriverError(int cardNumber, std::int32_t errorId);

} // namespace driver
