#pragma once
// The records that the driver's messages carry, and their encodings as 32-bit message values. Records
// are little-endian; a record sent by value has byte 0 in bits 0-7. Decoders take any answer: a value
// out of range gives the nearest sound one, as each function says.
#include "platform/win_types.h"

#include <array>
#include <cstdint>
#include <optional>

namespace driver {

constexpr int GainPositionMin = 31;    // input gain fader, lowest position
constexpr int GainPositionMax = 164;   // input gain fader, highest position
constexpr int VolumePositionMin = 4;   // output volume fader, lowest position
constexpr int VolumePositionMax = 127; // output volume fader, highest position
constexpr std::int32_t LevelMax = 32767;

// Two fader positions, or two words of a pair: left is the first channel of the card's pair.
struct PositionPair {
    int left;
    int right;
};

struct MutePair {
    bool left;
    bool right;
};

// A 4-byte record as the driver keeps it.
using RecordBytes = std::array<win::BYTE, 4>;
RecordBytes UnpackRecord(win::DWORD value);
win::DWORD PackRecord(const RecordBytes& bytes);

// The first 4 bytes of a block as a value; 0 for no block.
win::DWORD ReadBlockValue(const void* block);

// Gains: the position is a gain word's high byte, clamped to 31..164.
int GainPosition(win::WORD gainWord);
PositionPair GainPositions(win::DWORD gainPair);
// Each position (clamped to 31..164) x 256; left in the low word.
win::DWORD GainPairValue(int left, int right);

// Volumes: the position is max(word >> 9, 4), so 4..127.
int VolumePosition(win::WORD volumeWord);
PositionPair VolumePositions(win::DWORD volumePair);
// Each position (clamped to 4..127) x 512; left in the low word.
win::DWORD VolumePairValue(int left, int right);

// A nonzero word is a muted channel.
MutePair DecodeMutePair(win::DWORD mutePair);
// 0xFFFF for a muted channel, 0 for one that is not; left in the low word.
win::DWORD MutePairValue(MutePair mutes);

// A card's input state. The windows change bytes 0 to 2 and send the rest back as read.
struct InputState {
    win::BYTE inputSelect;        // digital input: 1 optical, 2 electrical, 3 CD
    win::BYTE monitorDestination; // 1 analog output, 2 digital output
    win::BYTE monitorWhen;        // 0 never, 1 while recording, 2 while punch recording
    win::BYTE reserved;           // the driver's
};
InputState DecodeInputState(win::DWORD record);
win::DWORD InputStateValue(const InputState& state);

// An output's playback routing.
struct RouteRecord {
    // Analog output: 0 application, 1 digital output, 2 analog input, 3 digital input.
    // Digital output: 0 application, 1 analog output, 2 analog input, 3 digital input.
    win::BYTE source;
    std::array<win::BYTE, 2> reserved; // the driver's, sent back as read
    win::BYTE users;                   // the driver's count of what plays on the output
};
RouteRecord DecodeRoute(win::DWORD record);
// The record as last read with its source replaced by the chosen one.
win::DWORD RouteValue(const RouteRecord& lastRead, win::BYTE source);

// Left and right level: 0..32767 (LevelMax) from a sound driver, more from a faulty one.
struct LevelPair {
    std::int32_t left;
    std::int32_t right;
};
// The 8-byte level block; a negative level reads as 0, one above LevelMax as it is, no block as silence.
LevelPair ReadLevelBlock(const void* block);

// The digital input's sample rate in Hz, or nothing when it has no lock (0).
std::optional<win::DWORD> LockedSampleRate(win::DWORD rateBlock);

enum class OutputFormat { NonAudio = 0, Audio = 1 };
// Nothing for a value that is neither 0 nor 1: the window then shows no format as chosen.
std::optional<OutputFormat> DecodeOutputFormat(win::DWORD formatBlock);

} // namespace driver
