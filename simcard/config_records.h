#pragma once
// The card's own view of the configuration records that travel through DriverConfig. All fields are
// little-endian signed 32-bit integers; booleans are written as -1 and read as nonzero.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace simcard {

constexpr std::size_t kDriverStatesSize = 20;  // overall state, then one state per card slot
constexpr std::size_t kReconfigurableSize = 4; // one value, nonzero = settings may change now
constexpr std::size_t kCardConfigSize = 172;
constexpr int kMaxCards = 4;
constexpr std::size_t kConfigArraySize = kCardConfigSize * kMaxCards; // 688
constexpr std::size_t kOnTheFlySize = 48;

constexpr std::int32_t kTrue = -1;
constexpr std::int32_t kFalse = 0;
constexpr std::int32_t kStateReady = 1; // error id of a driver or card that works
constexpr std::int32_t kStateNoCard = 0;

// Byte offsets of the fields of one card's configuration record.
namespace card_config {
constexpr std::size_t kRemovalMark = 0; // card 0's record only: -1 before the card is removed
constexpr std::size_t kSyncBusMaster = 8;
constexpr std::size_t kSyncBusClock = 12; // 0 internal, 1 digital input
constexpr std::size_t kRateConflictMsgs = 28;
constexpr std::size_t kDevConflictMsgs = 32;
constexpr std::size_t kAnaSSFlagA = 36;
constexpr std::size_t kAnaSSFlagB = 40;
constexpr std::size_t kAnaSSBoth = 44;
constexpr std::size_t kAnaPlaySS = 48;
constexpr std::size_t kAnaRecSS = 52;
constexpr std::size_t kAnaClockA = 56; // 0 internal, 1 digital input, 2 SyncBus
constexpr std::size_t kAnaClockB = 60;
constexpr std::size_t kDigSSFlagA = 68;
constexpr std::size_t kDigSSFlagB = 72;
constexpr std::size_t kDigSSBoth = 76;
constexpr std::size_t kDigPlaySS = 80;
constexpr std::size_t kDigRecSS = 84;
constexpr std::size_t kDigPlayClock = 92; // 0 internal, 1 digital input, 2 SyncBus
constexpr std::size_t kWriteIsPlayCursor = 124;
constexpr std::size_t kDsLatency = 128;      // ms, 0 automatic, else 1..100
constexpr std::size_t kRestrictedRate = 132; // Hz, 0 not restricted, else 22050, 44100, 48000
constexpr std::size_t kRestrictedRes = 136;  // 0 not restricted, 1 = 8 bit, 2 = 16 bit
constexpr std::size_t kRestrictedDev = 140;
constexpr std::size_t kRestrictedDevice = 144; // -1 none, 0 analog playback, 1 digital playback
constexpr std::size_t kGsifKerning = 160;      // track-bar position 0..3
constexpr std::size_t kGsifPreload = 164;      // track-bar position 2..50, at least kerning + 2
} // namespace card_config

// Byte offsets in the on-the-fly record; both values are track-bar position × 1000 / 800.
namespace on_the_fly {
constexpr std::size_t kGranularity = 40;
constexpr std::size_t kLatency = 44;
} // namespace on_the_fly

// Records sit at any alignment in the shared heap, so fields are copied, never dereferenced in place.
static_assert(std::endian::native == std::endian::little, "records are copied byte for byte");

inline std::int32_t LoadInt32(const std::byte* at) {
    std::int32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

inline void StoreInt32(std::byte* at, std::int32_t value) {
    std::memcpy(at, &value, sizeof value);
}

} // namespace simcard
