#pragma once
// The message box that each driver error id stands for.
#include "platform/win_types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace driver {

struct DriverErrorMessage {
    std::string text;
    std::string caption;
    win::UINT icon; // MB_ICONHAND or MB_ICONASTERISK
};

// The message for errorId reported for card cardNumber (0 for the driver as a whole, 1 to 4 for a
// card); nullopt for the ids that call for none (1, 0, -50). Ids without a text of their own get the
// "Undefined ErrId" message.
// The message forms that most texts are shown in:
// the hardware of card cardNumber could not be initialised, then detail;
std::string CardErrorText(int cardNumber, std::string_view detail);
// the device could not be opened, detail, then no audio functions on it;
std::string DeviceErrorText(std::string_view detail);
// a sample-rate pattern, shown with its placeholders, since there is no device name or rate to put in.
std::string RateErrorText(std::string_view pattern);

std::optional<DriverErrorMessage> MessageForDriverError(int cardNumber, std::int32_t errorId);

} // namespace driver
