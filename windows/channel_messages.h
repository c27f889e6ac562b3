#pragma once
// Sending a driver message on a control handle of either direction.
#include "driver/control_handles.h"

#include <array>

namespace windows {

// A window's control handles: two per card, index 2 x card + channel; 0 = not open.
using HandleTable = std::array<win::HWAVE, 2 * driver::MaxCards>;

win::MMRESULT SendToHandle(driver::Direction direction, win::HWAVE handle, win::UINT message, win::DWORD param);

} // namespace windows
