#include "driver/message_records.h"

#include <algorithm>
#include <cstring>

namespace driver {
namespace {

constexpr win::WORD MutedWord = 0xFFFF;

// How a fader's positions sit in a pair's words.
struct FaderScale {
    int lowest;
    int highest;
    int shift; // bits from position to word
};

PositionPair PositionsOfPair(win::DWORD pair, int (*position)(win::WORD)) {
    return {position(win::LOWORD(pair)), position(win::HIWORD(pair))};
}

win::DWORD PairOfPositions(int left, int right, FaderScale scale) {
    const auto word = [&](int position) {
        return win::WORD(std::clamp(position, scale.lowest, scale.highest) << scale.shift);
    };
    return win::MAKELONG(word(left), word(right));
}

// Levels are signed on the wire; a negative one is as quiet as silence. One above the scale goes on
// as the driver wrote it: the meters ignore it, where a clamp would light their whole bar.
std::int32_t LevelAt(const void* word) {
    return std::max(static_cast<std::int32_t>(ReadBlockValue(word)), std::int32_t(0));
}

} // namespace

RecordBytes UnpackRecord(win::DWORD value) {
    return {win::BYTE(value), win::BYTE(value >> 8), win::BYTE(value >> 16), win::BYTE(value >> 24)};
}

win::DWORD PackRecord(const RecordBytes& bytes) {
    return win::DWORD(bytes[0]) | win::DWORD(bytes[1]) << 8 | win::DWORD(bytes[2]) << 16 |
           win::DWORD(bytes[3]) << 24;
}

win::DWORD ReadBlockValue(const void* block) {
    if (!block) return 0;
    RecordBytes bytes;
    std::memcpy(bytes.data(), block, bytes.size());
    return PackRecord(bytes);
}

int GainPosition(win::WORD gainWord) {
    return std::clamp(gainWord >> 8, GainPositionMin, GainPositionMax);
}

PositionPair GainPositions(win::DWORD gainPair) {
    return PositionsOfPair(gainPair, GainPosition);
}

win::DWORD GainPairValue(int left, int right) {
    return PairOfPositions(left, right, {GainPositionMin, GainPositionMax, 8});
}

int VolumePosition(win::WORD volumeWord) {
    return std::max(volumeWord >> 9, VolumePositionMin);
}

PositionPair VolumePositions(win::DWORD volumePair) {
    return PositionsOfPair(volumePair, VolumePosition);
}

win::DWORD VolumePairValue(int left, int right) {
    return PairOfPositions(left, right, {VolumePositionMin, VolumePositionMax, 9});
}

MutePair DecodeMutePair(win::DWORD mutePair) {
    return {win::LOWORD(mutePair) != 0, win::HIWORD(mutePair) != 0};
}

win::DWORD MutePairValue(MutePair mutes) {
    return win::MAKELONG(mutes.left ? MutedWord : 0, mutes.right ? MutedWord : 0);
}

InputState DecodeInputState(win::DWORD record) {
    const RecordBytes bytes = UnpackRecord(record);
    return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

win::DWORD InputStateValue(const InputState& state) {
    return PackRecord({state.inputSelect, state.monitorDestination, state.monitorWhen, state.reserved});
}

RouteRecord DecodeRoute(win::DWORD record) {
    const RecordBytes bytes = UnpackRecord(record);
    return {bytes[0], {bytes[1], bytes[2]}, bytes[3]};
}

win::DWORD RouteValue(const RouteRecord& lastRead, win::BYTE source) {
    return PackRecord({source, lastRead.reserved[0], lastRead.reserved[1], lastRead.users});
}

LevelPair ReadLevelBlock(const void* block) {
    if (!block) return {0, 0};
    return {LevelAt(block), LevelAt(static_cast<const unsigned char*>(block) + 4)};
}

std::optional<win::DWORD> LockedSampleRate(win::DWORD rateBlock) {
    if (rateBlock == 0) return std::nullopt;
    return rateBlock;
}

std::optional<OutputFormat> DecodeOutputFormat(win::DWORD formatBlock) {
    switch (formatBlock) {
    case 0:
        return OutputFormat::NonAudio;
    case 1:
        return OutputFormat::Audio;
    default:
        return std::nullopt;
    }
}

} // namespace driver
