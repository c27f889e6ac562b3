#pragma once
// Finds the cards' wave devices among all wave devices and files them into the device tables.
#include "driver/device_tables.h"

namespace driver {

// Fills WaveInIds, WaveOutIds, CardCount, DriverFound and, with an output control handle per card,
// CardDevNodes. Every device of the card's maker with one of its product ids counts, so a later device
// for a slot replaces an earlier one and both count; four counted devices make a card, at most four.
void DiscoverDevices();

} // namespace driver
