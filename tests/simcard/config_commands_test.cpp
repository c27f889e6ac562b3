#include "simcard/config_arguments.h"
#include "simcard/config_commands.h"
#include "tests/simcard/fresh_card.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace simcard {
namespace {

using testing::ElementsAre;

class ConfigCommandTest : public FreshCard {
protected:
    std::vector<std::byte> Run(std::string_view name, std::vector<std::byte> record = {}) {
        const auto spec = FindConfigCommand(name);
        EXPECT_TRUE(spec) << name;
        if (record.empty()) record.resize(spec->recordSize);
        Card([&](CardStateLayout& state) { ExecuteConfigCommand(spec->command, record, state); });
        return record;
    }
};

TEST_F(ConfigCommandTest, GetStatesReportsTheInstalledCardsAndZeroPastTheCount) {
    EXPECT_THAT(Int32Fields(Run("getstates")), ElementsAre(1, 1, 1, 0, 0));

    Card([](CardStateLayout& state) {
        state.driverState = -30;
        state.cardCount = 3;
        state.cardStates = {-30, 1, -25, -31};
    });
    EXPECT_THAT(Int32Fields(Run("getstates")), ElementsAre(-30, -30, 1, -25, 0));
}

TEST_F(ConfigCommandTest, ReconfigurableAnswersTheFlagAsABoolean) {
    EXPECT_THAT(Int32Fields(Run("reconfigurable")), ElementsAre(kTrue));
    Card([](CardStateLayout& state) { state.reconfigurable = kFalse; });
    EXPECT_THAT(Int32Fields(Run("reconfigurable", std::vector<std::byte>(4, std::byte{0x55}))),
                ElementsAre(kFalse));
}

TEST_F(ConfigCommandTest, SetConfigStoresTheArrayAsGivenAndGetConfigReturnsIt) {
    std::vector<std::byte> array(kConfigArraySize);
    std::iota(reinterpret_cast<unsigned char*>(array.data()),
              reinterpret_cast<unsigned char*>(array.data()) + array.size(), static_cast<unsigned char>(7));
    StoreInt32(array.data() + card_config::kRemovalMark, -1);

    EXPECT_EQ(Run("setconfig", array), array) << "setconfig leaves the caller's record alone";
    EXPECT_EQ(Run("getconfig"), array);
    Card([](CardStateLayout& state) {
        EXPECT_EQ(state.driverState, kStateReady);
        EXPECT_EQ(state.cardCount, 2);
    });
}

TEST_F(ConfigCommandTest, OnTheFlyKeepsGranularityAndLatencyAndIgnoresTheRest) {
    std::vector<std::byte> record(kOnTheFlySize, std::byte{0x7F});
    StoreInt32(record.data() + on_the_fly::kGranularity, 3);
    StoreInt32(record.data() + on_the_fly::kLatency, 62);
    const auto configBefore = Run("getconfig");

    Run("setconfig_onthefly", record);

    Card([](CardStateLayout& state) {
        EXPECT_EQ(state.onTheFlyGranularity, 3);
        EXPECT_EQ(state.onTheFlyLatency, 62);
    });
    EXPECT_EQ(Run("getconfig"), configBefore);
}

TEST(ConfigCommandNames, AreExactAndCarryTheirRecordSizes) {
    EXPECT_EQ(FindConfigCommand("getstates")->recordSize, 20u);
    EXPECT_EQ(FindConfigCommand("reconfigurable")->recordSize, 4u);
    EXPECT_EQ(FindConfigCommand("getconfig")->recordSize, 688u);
    EXPECT_EQ(FindConfigCommand("setconfig")->recordSize, 688u);
    EXPECT_EQ(FindConfigCommand("setconfig_onthefly")->recordSize, 48u);
    EXPECT_FALSE(FindConfigCommand("GetStates"));
    EXPECT_FALSE(FindConfigCommand("setconfig_"));
    EXPECT_FALSE(FindConfigCommand(""));
}

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
                                         Malformed{"getstates $12340000", false},
                                         Malformed{"getstates $1234000 #12300000", true},
                                         Malformed{"getstates $1234abcd #12300000", true},
                                         Malformed{"getstates $12340000 #1230000g", false},
                                         Malformed{"getstates  $12340000 #12300000", true},
                                         Malformed{"getstates $12340000 #12300000 ", false},
                                         Malformed{" $12340000 #12300000", true},
                                         Malformed{"getstates #12340000 $12300000", false},
                                         Malformed{"getstates $12340000 #12300000 extra", false},
                                         Malformed{"getstates\t$12340000 #12300000", true},
                                         Malformed{"getstates $+2340000 #12300000", true}));

} // namespace
} // namespace simcard
