// Encoding and decoding of the driver's records, including answers out of range.
#include "driver/message_records.h"

#include <gtest/gtest.h>

namespace {

using namespace driver;

TEST(MessageRecords, GainsTravelAsHighBytesWithinTheFadersRange) {
    EXPECT_EQ(GainPosition(0x5F00), 95);
    EXPECT_EQ(GainPosition(0x5FFF), 95);
    EXPECT_EQ(GainPairValue(95, 100), 0x64005F00u);
    EXPECT_EQ(GainPositions(0x64005F00).right, 100);
    // Out of range either way: the nearest end.
    EXPECT_EQ(GainPosition(0x0000), GainPositionMin);
    EXPECT_EQ(GainPosition(0xFF00), GainPositionMax);
    EXPECT_EQ(GainPairValue(-5, 300), win::MAKELONG(31 << 8, 164 << 8));
}

TEST(MessageRecords, VolumesNeverReadBelowTheLowestPosition) {
    EXPECT_EQ(VolumePosition(0x0200), 4);
    EXPECT_EQ(VolumePosition(0x0000), 4);
    EXPECT_EQ(VolumePosition(0x0A00), 5);
    EXPECT_EQ(VolumePosition(0xFFFF), 127);
    EXPECT_EQ(VolumePairValue(4, 127), 0xFE000800u);
    EXPECT_EQ(VolumePairValue(0, 500), 0xFE000800u);
    const PositionPair pair = VolumePositions(0xFE000800);
    EXPECT_EQ(pair.left, 4);
    EXPECT_EQ(pair.right, 127);
}

TEST(MessageRecords, MutePairs) {
    EXPECT_EQ(MutePairValue({false, true}), 0xFFFF0000u);
    EXPECT_EQ(MutePairValue({true, false}), 0x0000FFFFu);
    const MutePair read = DecodeMutePair(0x00010000);
    EXPECT_FALSE(read.left);
    EXPECT_TRUE(read.right);
}

TEST(MessageRecords, RecordsTravelByteZeroFirst) {
    const InputState state{2, 1, 0, 7};
    EXPECT_EQ(InputStateValue(state), 0x07000102u);
    const InputState back = DecodeInputState(0x07000102);
    EXPECT_EQ(back.inputSelect, 2);
    EXPECT_EQ(back.monitorDestination, 1);
    EXPECT_EQ(back.monitorWhen, 0);
    EXPECT_EQ(back.reserved, 7);

    const unsigned char block[4] = {0x02, 0x01, 0x00, 0x07};
    EXPECT_EQ(ReadBlockValue(block), 0x07000102u);
    EXPECT_EQ(ReadBlockValue(nullptr), 0u);
}

TEST(MessageRecords, ARouteChangeKeepsWhatTheDriverWrote) {
    const RouteRecord read = DecodeRoute(0x03AABB01);
    EXPECT_EQ(read.source, 1);
    EXPECT_EQ(read.users, 3);
    EXPECT_EQ(RouteValue(read, 2), 0x03AABB02u);
}

// A level above the scale goes to the meter as the driver wrote it: the meter ignores it, where a
// clamp would light the whole bar.
TEST(MessageRecords, LevelsAboveTheScalePassThroughAndNegativeOnesReadAsSilence) {
    const std::int32_t block[2] = {-5, 40000};
    const LevelPair levels = ReadLevelBlock(block);
    EXPECT_EQ(levels.left, 0);
    EXPECT_EQ(levels.right, 40000);
    const std::int32_t justAbove[2] = {LevelMax + 1, INT32_MAX};
    EXPECT_EQ(ReadLevelBlock(justAbove).left, LevelMax + 1);
    EXPECT_EQ(ReadLevelBlock(justAbove).right, INT32_MAX);
    const std::int32_t normal[2] = {123, 32767};
    EXPECT_EQ(ReadLevelBlock(normal).left, 123);
    EXPECT_EQ(ReadLevelBlock(nullptr).right, 0);
}

TEST(MessageRecords, RateAndFormatBlocks) {
    EXPECT_FALSE(LockedSampleRate(0));
    EXPECT_EQ(LockedSampleRate(44100), 44100u);
    EXPECT_EQ(DecodeOutputFormat(1), OutputFormat::Audio);
    EXPECT_EQ(DecodeOutputFormat(0), OutputFormat::NonAudio);
    EXPECT_FALSE(DecodeOutputFormat(2));
    EXPECT_FALSE(DecodeOutputFormat(0xFFFFFFFF));
}

} // namespace
