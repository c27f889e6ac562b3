#pragma once
// The strip protocols: which card a strip control belongs to, where a card's channel sits in a handle
// table, and sending a driver message on a control handle of either direction.
#include "driver/control_handles.h"

#include <array>

namespace tk {
class TControl;
}

namespace windows {

// A window's control handles: two per card, index 2 x card + channel; 0 = not open.
using HandleTable = std::array<win::HWAVE, 2 * driver::MaxCards>;

// Where card's channel (0 left, 1 right) sits in a handle table; card-wide messages go on channel 0.
constexpr int HandleIndex(int card, int channel = 0) { return 2 * card + channel; }
inline win::HWAVE CardHandle(const HandleTable& handles, int card, int channel = 0) {
    return handles[std::size_t(HandleIndex(card, channel))];
}

// The card of a strip control: its panel carries it as Tag; -1 for a control without a panel.
int CardOf(const tk::TControl* control);

win::MMRESULT SendToHandle(driver::Direction direction, win::HWAVE handle, win::UINT message, win::DWORD param);

} // namespace windows
