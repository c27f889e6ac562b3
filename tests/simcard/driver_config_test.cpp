#include "platform/shell.h"
#include "platform/started_process.h"
#include "tests/simcard/fresh_card.h"
#include "tests/simcard/heap_block.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace simcard {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;

std::vector<std::byte> CountingBytes(std::size_t size) {
    std::vector<std::byte> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::byte>(i * 7 + 3);
    return bytes;
}

using DriverConfigTest = FreshCard;

TEST_F(DriverConfigTest, CarriesOutEveryCommandAndSignalsDone) {
    auto states = CallDriverConfig("getstates", std::vector<std::byte>(kDriverStatesSize));
    EXPECT_EQ(states.status, kStatusDone);
    EXPECT_THAT(Int32Fields(states.record), ElementsAre(1, 1, 1, 0, 0));

    auto reconfigurable = CallDriverConfig("reconfigurable", std::vector<std::byte>(4));
    EXPECT_EQ(reconfigurable.status, kStatusDone);
    EXPECT_THAT(Int32Fields(reconfigurable.record), ElementsAre(kTrue));

    auto array = CountingBytes(kConfigArraySize);
    StoreInt32(array.data() + card_config::kRemovalMark, -1);
    EXPECT_EQ(CallDriverConfig("setconfig", array).status, kStatusDone);
    const auto config = CallDriverConfig("getconfig", std::vector<std::byte>(kConfigArraySize));
    EXPECT_EQ(config.status, kStatusDone);
    EXPECT_EQ(config.record, array);

    std::vector<std::byte> onTheFly(kOnTheFlySize);
    StoreInt32(onTheFly.data() + on_the_fly::kGranularity, 2);
    StoreInt32(onTheFly.data() + on_the_fly::kLatency, 12);
    EXPECT_EQ(CallDriverConfig("setconfig_onthefly", onTheFly).status, kStatusDone);
    Card([](CardStateLayout& state) {
        EXPECT_EQ(state.onTheFlyGranularity, 2);
        EXPECT_EQ(state.onTheFlyLatency, 12);
    });
}

struct RefusedCall {
    const char* name;
    win::DWORD dataSize; // bytes of the data block the test allocates
    // The argument string from the data and status blocks' 16:16 addresses.
    std::function<std::string(win::DWORD data, win::DWORD status)> arguments;
    bool signalled; // the caller is told that the call is over
};

void PrintTo(const RefusedCall& call, std::ostream* out) {
    *out << call.name;
}

class RefusedDriverConfig : public FreshCard, public testing::WithParamInterface<RefusedCall> {};

// Every refused call leaves the data block and the card alone and says why on stderr; the status block
// is signalled whenever it can be found.
TEST_P(RefusedDriverConfig, TouchesNothingAndSignalsWhenItCan) {
    const auto before = CallDriverConfig("getconfig", std::vector<std::byte>(kConfigArraySize)).record;
    HeapBlock status(8);
    HeapBlock data(GetParam().dataSize);
    const auto pattern = CountingBytes(GetParam().dataSize);
    std::memcpy(data.flat(), pattern.data(), pattern.size());
    std::string arguments = GetParam().arguments(data.address(), status.address());

    testing::internal::CaptureStderr();
    DriverConfig(0, 0, arguments.data(), 10);
    const std::string reported = testing::internal::GetCapturedStderr();

    EXPECT_THAT(reported, HasSubstr("refused"));
    EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 1) << reported;
    EXPECT_EQ(status.status(), GetParam().signalled ? kStatusRefused : 0u);
    EXPECT_EQ(std::vector<std::byte>(data.flat(), data.flat() + pattern.size()), pattern);
    EXPECT_EQ(CallDriverConfig("getconfig", std::vector<std::byte>(kConfigArraySize)).record, before);
}

constexpr win::DWORD kNotInHeap = 0x7FF00000;

INSTANTIATE_TEST_SUITE_P(
    , RefusedDriverConfig,
    testing::Values(
        RefusedCall{"UnknownCommand", kConfigArraySize,
                    [](auto data, auto status) { return ConfigArgumentString("SetConfig", data, status); },
                    true},
        RefusedCall{"DataBlockTooSmall", kConfigArraySize - 1,
                    [](auto data, auto status) { return ConfigArgumentString("setconfig", data, status); },
                    true},
        RefusedCall{
            "DataBlockRunsPastItsEnd", kConfigArraySize,
            [](auto data, auto status) { return ConfigArgumentString("setconfig", data + 4, status); }, true},
        RefusedCall{"DataBlockNotInTheHeap", kConfigArraySize,
                    [](auto, auto status) { return ConfigArgumentString("setconfig", kNotInHeap, status); },
                    true},
        RefusedCall{
            "ExtraBlank", kConfigArraySize,
            [](auto data, auto status) { return " " + ConfigArgumentString("setconfig", data, status); },
            true},
        RefusedCall{"StatusBlockNotInTheHeap", kConfigArraySize,
                    [](auto data, auto) { return ConfigArgumentString("setconfig", data, kNotInHeap); },
                    false},
        RefusedCall{
            "StatusWordMisaligned", kConfigArraySize,
            [](auto data, auto status) { return ConfigArgumentString("setconfig", data, status + 1); },
            false},
        RefusedCall{"NoStatusBlock", kConfigArraySize,
                    [](auto data, auto status) {
                        return ConfigArgumentString("setconfig", data, status).substr(0, 19);
                    },
                    false}),
    [](const testing::TestParamInfo<RefusedCall>& info) { return info.param.name; });

TEST_F(DriverConfigTest, SurvivesANullArgumentString) {
    testing::internal::CaptureStderr();
    DriverConfig(0, 0, nullptr, 10);
    EXPECT_THAT(testing::internal::GetCapturedStderr(), HasSubstr("no argument string"));
}

TEST_F(DriverConfigTest, TracesEachCallWithItsOutcomeWhileTracingIsOn) {
    CallDriverConfig("getstates", std::vector<std::byte>(kDriverStatesSize));
    EXPECT_TRUE(ReadTrace().empty());

    SetTraceEnabled(true);
    HeapBlock status(4);
    HeapBlock data(kDriverStatesSize);
    std::string good = ConfigArgumentString("getstates", data.address(), status.address());
    std::string bad = ConfigArgumentString("getstate", data.address(), status.address());
    DriverConfig(0, 0, good.data(), 10);
    testing::internal::CaptureStderr();
    DriverConfig(0, 0, bad.data(), 10);
    testing::internal::GetCapturedStderr();

    const auto lines = ReadTrace();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].event, "config " + good + " -> done");
    EXPECT_EQ(lines[1].event, "config " + bad + " -> refused: unknown command \"getstate\"");
}

// The whole way: the rundll host in its own process loads kova2.DRV beside it, reaches this process's
// blocks and the card state that the admin tool changed.
TEST_F(DriverConfigTest, AnswersThroughTheRundllHost) {
    Card([](CardStateLayout& state) { state.cardStates[1] = -30; });
    HeapBlock status(4);
    HeapBlock data(kDriverStatesSize);
    const std::string parameters =
        "kova2.DRV,DriverConfig " + ConfigArgumentString("getstates", data.address(), status.address());

    ASSERT_GT(win::ShellExecuteA(0, nullptr, "rundll.exe", parameters.c_str(), "", win::SW_SHOWDEFAULT), 32u);
    auto host = platform::TakeStartedProcess();
    ASSERT_TRUE(host);
    ASSERT_TRUE(host->WaitForEnd(10s));

    EXPECT_EQ(host->WaitStatus(), 0);
    EXPECT_EQ(status.status(), kStatusDone);
    EXPECT_THAT(Int32Fields(std::vector<std::byte>(data.flat(), data.flat() + kDriverStatesSize)),
                ElementsAre(1, 1, -30, 0, 0));
}

} // namespace
} // namespace simcard
