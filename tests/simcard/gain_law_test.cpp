#include "simcard/serve/gain_law.h"

#include <cmath>
#include <gtest/gtest.h>

namespace simcard::serve {
namespace {

double Db(float factor) {
    return 20.0 * std::log10(factor);
}

TEST(GainLawTest, InputGainIsHalfADecibelPerFaderPosition) {
    EXPECT_FLOAT_EQ(InputGainFactor(128 << 8, 0), 1.0f);
    EXPECT_NEAR(Db(InputGainFactor(164 << 8, 0)), 18.0, 1e-4);
    EXPECT_NEAR(Db(InputGainFactor(31 << 8, 0)), -48.5, 1e-4);
    EXPECT_NEAR(Db(InputGainFactor((120 << 8) | 0x80, 0)), -3.75, 1e-4) << "the low byte is a fraction";
    EXPECT_EQ(InputGainFactor(164 << 8, 0xFFFF), 0.0f);
}

TEST(GainLawTest, OutputVolumeIsLinearInTheWord) {
    EXPECT_FLOAT_EQ(OutputVolumeFactor(0xFFFF, 0), 1.0f);
    EXPECT_NEAR(Db(OutputVolumeFactor(0x1999, 0)), -20.0, 0.01);
    EXPECT_NEAR(Db(OutputVolumeFactor(0x8000, 0)), -6.02, 0.01);
    EXPECT_EQ(OutputVolumeFactor(0, 0), 0.0f);
    EXPECT_EQ(OutputVolumeFactor(0xFFFF, 0xFFFF), 0.0f);
}

} // namespace
} // namespace simcard::serve
