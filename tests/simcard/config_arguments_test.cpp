#include "simcard/config_arguments.h"

#include <gtest/gtest.h>

namespace simcard {
namespace {

TEST(ConfigArguments, AWellFormedStringGivesTheCommandAndBothAddresses) {
    const auto parsed = ParseConfigArguments("getstates $12340000 #12300000");
    ASSERT_TRUE(parsed.arguments) << parsed.problem;
    EXPECT_EQ(parsed.arguments->command, "getstates");
    EXPECT_EQ(parsed.arguments->dataBlock, 0x12340000u);
    EXPECT_EQ(parsed.arguments->statusBlock, 0x12300000u);
    EXPECT_EQ(ParseConfigArguments("setconfig $ABCDEF09 #FFFF0010").arguments->dataBlock, 0xABCDEF09u);
}

struct Malformed {
    const char* text;
    bool statusFound; // the last word is still a usable status block
};

void PrintTo(const Malformed& m, std::ostream* out) {
    *out << '"' << m.text << '"';
}

class MalformedConfigArguments : public testing::TestWithParam<Malformed> {};

TEST_P(MalformedConfigArguments, AreRefusedWithAReasonButKeepAFindableStatusBlock) {
    const auto parsed = ParseConfigArguments(GetParam().text);
    EXPECT_FALSE(parsed.arguments);
    EXPECT_FALSE(parsed.problem.empty());
    EXPECT_EQ(parsed.statusBlock.has_value(), GetParam().statusFound);
    if (GetParam().statusFound) {
        EXPECT_EQ(*parsed.statusBlock, 0x12300000u);
    }
}

INSTANTIATE_TEST_SUITE_P(, MalformedConfigArguments,
                         testing::Values(Malformed{"", false}, Malformed{"getstates", false},
                                         Malformed{"getstates $1234000 #12300000", true},
                                         Malformed{"getstates $1234abcd #12300000", true},
                                         Malformed{"getstates $12340000 #1230000g", false},
                                         Malformed{"getstates  $12340000 #12300000", true},
                                         Malformed{"getstates $12340000 #12300000 ", false},
                                         Malformed{" $12340000 #12300000", true},
                                         Malformed{"getstates #12340000 $12300000", false},
                                         Malformed{"getstates\t$12340000 #12300000", true}));

} // namespace
} // namespace simcard
