#pragma once
// The records that configuration calls carry between the program and the driver. Every field is a
// little-endian signed 32-bit integer; booleans are written as -1 (true) or 0 (false) and read as
// nonzero. Words the program does not interpret travel back to the driver as they came.
#include <cstddef>
#include <cstdint>

namespace driver {

// How the records write a boolean; any nonzero value reads as true.
constexpr std::int32_t RecordTrue = -1;
constexpr std::int32_t RecordFalse = 0;

// Answer to getstates. A state is 1 (ready) or an error id; a card state of 0 means no such card
// and ends the list.
struct DriverStates {
    std::int32_t Overall = 0;
    std::int32_t Card[4] = {}; // cards 1 to 4
};
static_assert(sizeof(DriverStates) == 20);

// One card's settings as getconfig delivers them.
struct CardConfig {
    std::int32_t Opaque0; // card 0's is set to -1 before the setconfig that precedes a card's removal
    std::int32_t Opaque4;
    std::int32_t SyncBusMaster; // boolean
    std::int32_t SyncBusClock;  // 0 internal clock, 1 digital input clock
    std::int32_t Opaque16[3];
    std::int32_t RateConflictMsgs; // boolean
    std::int32_t DevConflictMsgs;  // boolean
    std::int32_t AnaSSFlagA;       // -1 once either analog start/stop choice changed
    std::int32_t AnaSSFlagB;       // set with AnaSSFlagA
    std::int32_t AnaSSBoth;        // boolean
    std::int32_t AnaPlaySS;        // boolean; false = autonomous
    std::int32_t AnaRecSS;         // boolean
    std::int32_t AnaClockA;        // 0 internal (DCO), 1 digital input, 2 SyncBus
    std::int32_t AnaClockB;        // always the same as AnaClockA
    std::int32_t Opaque64;
    std::int32_t DigSSFlagA; // -1 once either digital start/stop choice changed
    std::int32_t DigSSFlagB; // set with DigSSFlagA
    std::int32_t DigSSBoth;  // boolean
    std::int32_t DigPlaySS;  // boolean
    std::int32_t DigRecSS;   // boolean
    std::int32_t Opaque88;
    std::int32_t DigPlayClock; // 0 internal (DCO), 1 digital input, 2 SyncBus
    std::int32_t Opaque96[7];
    std::int32_t WriteIsPlayCursor; // boolean
    std::int32_t DsLatency;         // ms; 0 automatic, else 1..100
    std::int32_t RestrictedRate;    // Hz; 0 not restricted, else 22050, 44100 or 48000
    std::int32_t RestrictedRes;     // 0 not restricted, 1 8 bit, 2 16 bit
    std::int32_t RestrictedDev;     // boolean
    std::int32_t RestrictedDevice;  // -1 none, 0 analog playback, 1 digital playback
    std::int32_t Opaque148[3];
    std::int32_t GsifKerning; // track-bar position 0..3
    std::int32_t GsifPreload; // track-bar position 2..50, at least GsifKerning + 2
    std::int32_t Opaque168;
};
static_assert(sizeof(CardConfig) == 172);
static_assert(offsetof(CardConfig, SyncBusMaster) == 8 && offsetof(CardConfig, SyncBusClock) == 12);
static_assert(offsetof(CardConfig, RateConflictMsgs) == 28 && offsetof(CardConfig, DevConflictMsgs) == 32);
static_assert(offsetof(CardConfig, AnaSSFlagA) == 36 && offsetof(CardConfig, AnaSSFlagB) == 40);
static_assert(offsetof(CardConfig, AnaSSBoth) == 44 && offsetof(CardConfig, AnaPlaySS) == 48);
static_assert(offsetof(CardConfig, AnaRecSS) == 52 && offsetof(CardConfig, AnaClockA) == 56);
static_assert(offsetof(CardConfig, AnaClockB) == 60 && offsetof(CardConfig, DigSSFlagA) == 68);
static_assert(offsetof(CardConfig, DigSSFlagB) == 72 && offsetof(CardConfig, DigSSBoth) == 76);
static_assert(offsetof(CardConfig, DigPlaySS) == 80 && offsetof(CardConfig, DigRecSS) == 84);
static_assert(offsetof(CardConfig, DigPlayClock) == 92 && offsetof(CardConfig, WriteIsPlayCursor) == 124);
static_assert(offsetof(CardConfig, DsLatency) == 128 && offsetof(CardConfig, RestrictedRate) == 132);
static_assert(offsetof(CardConfig, RestrictedRes) == 136 && offsetof(CardConfig, RestrictedDev) == 140);
static_assert(offsetof(CardConfig, RestrictedDevice) == 144 && offsetof(CardConfig, GsifKerning) == 160);
static_assert(offsetof(CardConfig, GsifPreload) == 164);

// getconfig / setconfig: card i at offset 172 * i.
struct ConfigArray {
    CardConfig Cards[4];
};
static_assert(sizeof(ConfigArray) == 688);

// setconfig_onthefly: the GSIF track-bar positions scaled by 1000 / 800; the rest stays zero.
struct OnTheFlyConfig {
    std::int32_t Opaque0[10];
    std::int32_t GsifKerning; // granularity position * 1000 / 800, truncated
    std::int32_t GsifPreload; // latency position * 1000 / 800, truncated
};
static_assert(sizeof(OnTheFlyConfig) == 48);
static_assert(offsetof(OnTheFlyConfig, GsifKerning) == 40 && offsetof(OnTheFlyConfig, GsifPreload) == 44);

} // namespace driver
