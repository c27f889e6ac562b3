#include "driver/device_tables.h"

namespace driver {

std::array<std::int32_t, SlotCount> WaveInIds{-1, -1, -1, -1, -1, -1, -1, -1};
std::array<std::int32_t, SlotCount> WaveOutIds{-1, -1, -1, -1, -1, -1, -1, -1};
std::array<std::int32_t, MaxCards> CardDevNodes{-1, -1, -1, -1};
std::int32_t CardCount = 0;
bool DriverFound = false;

} // namespace driver
