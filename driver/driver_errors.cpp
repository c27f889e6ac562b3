#include "driver/driver_errors.h"

#include "driver/driver_error_texts.h"
#include "platform/message_box.h"

namespace driver {
namespace {

constexpr std::int32_t Ready = 1;
constexpr std::int32_t NoCard = 0;
constexpr std::int32_t WrongVxdVersion = -27;
constexpr std::int32_t VxdNotLoaded = -17;

} // namespace

bool ShowDriverError(int cardNumber, std::int32_t errorId) {
    const auto message = MessageForDriverError(cardNumber, errorId);
    if (!message) return false;
    win::MessageBoxA(0, message->text.c_str(), message->caption.c_str(), win::MB_OK | message->icon);
    return true;
}

void ReportDriverStates(const DriverStates& states) {
    if (states.Overall == WrongVxdVersion) {
        ShowDriverError(0, WrongVxdVersion);
        return;
    }
    if (states.Overall == VxdNotLoaded) return;
    // An overall state equal to card 1's is the same failure; it is reported once, for card 1.
    if (states.Overall != Ready && states.Overall != states.Card[0]) ShowDriverError(0, states.Overall);
    for (int card = 1; card <= 4; ++card) {
        if (states.Card[card - 1] == NoCard) return;
        ShowDriverError(card, states.Card[card - 1]);
    }
}

} // namespace driver
