#pragma once
// Layout of the card's state file, which the program, the rundll host and the admin tool all map.
// The file has a fixed size; a change of layout bumps kLayoutVersion, and a file of another version is
// replaced by defaults.
#include "simcard/config_records.h"
#include "simcard/hardware_state.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace simcard {

constexpr std::array<char, 8> kStateMagic = {'K', 'O', 'V', 'A', '2', 'S', 'I', 'M'};
constexpr std::uint32_t kLayoutVersion = 3;
constexpr std::size_t kStateFileSize = 8192; // bytes, two pages

struct StateHeader {
    std::array<char, 8> magic;
    std::uint32_t layoutVersion;
    std::uint32_t fileSize; // bytes, kStateFileSize
};

struct CardStateLayout {
    StateHeader header;
    std::int32_t driverState;                       // error id, 1 = ready
    std::int32_t cardCount;                         // 1..4
    std::array<std::int32_t, kMaxCards> cardStates; // error id per card slot, 1 = ready
    std::int32_t reconfigurable;                    // boolean: settings may be changed now
    std::int32_t onTheFlyGranularity;               // last on-the-fly value, position × 1000 / 800
    std::int32_t onTheFlyLatency;                   // last on-the-fly value, position × 1000 / 800
    std::uint32_t sequence; // odd while a writer holds the state; readers without the lock retry on a change
    std::int32_t traceEnabled;        // boolean: calls and wave messages go to the trace
    std::array<std::byte, 4> padding; // keeps the configuration array 64-byte aligned
    std::array<std::byte, kConfigArraySize> configArray;
    std::array<CardHardware, kMaxCards> hardware; // per card slot, kept for slots past the count too
    std::array<std::byte, kStateFileSize - 64 - kConfigArraySize - kMaxCards * sizeof(CardHardware)>
        reserved; // zero in this layout
};

static_assert(sizeof(StateHeader) == 16);
static_assert(offsetof(CardStateLayout, sequence) % alignof(std::uint32_t) == 0);
static_assert(offsetof(CardStateLayout, driverState) == 16);
static_assert(offsetof(CardStateLayout, configArray) == 64);
static_assert(offsetof(CardStateLayout, hardware) % alignof(CardHardware) == 0);
static_assert(sizeof(CardStateLayout) == kStateFileSize);

// A freshly installed card: driver ready, two healthy cards, plausible settings per card.
CardStateLayout DefaultState();

// Why the bytes cannot be used as a state of this layout, or nothing when they can.
std::optional<std::string> StateProblem(const CardStateLayout& state);

} // namespace simcard
