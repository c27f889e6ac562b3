#include "driver/config_call.h"
#include "driver/config_records.h"
#include "driver/no_answer_report.h"
#include "platform/paths.h"
#include "platform/started_process.h"
#include "platform/wow16.h"
#include "tests/driver/message_box_capture.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <numeric>

using namespace std::chrono_literals;
using driver::DriverConfigCall;

namespace {

// Points the calls at an entry of the test library and starts each test from a fresh run.
class ConfigCallTest : public testing::Test {
protected:
    void Target(const char* entry, std::chrono::milliseconds timeout = 10s) {
        driver::ConfigCallOptions options;
        options.target = {"kova2_testentry.so", entry};
        options.answerTimeout = timeout;
        options.coldStartTimeout = timeout;
        driver::SetConfigCallOptions(options);
    }
    void SetUp() override {
        previous = driver::SetConfigCallOptions({});
        driver::ResetDriverNotAnsweringReport();
        liveBlocks = platform::LiveHeapBlocks();
    }
    void TearDown() override {
        driver::SetConfigCallOptions(previous);
        EXPECT_EQ(platform::LiveHeapBlocks(), liveBlocks) << "every call gives its blocks back";
    }
    driver::ConfigCallOptions previous;
    win::DWORD liveBlocks = 0;
};

template <std::size_t N> std::array<unsigned char, N> Counting() {
    std::array<unsigned char, N> bytes;
    std::iota(bytes.begin(), bytes.end(), 0);
    return bytes;
}

} // namespace

TEST(ConfigCallParameters, CommandAndBothAddressesInUpperCaseHex) {
    EXPECT_EQ(driver::ConfigCallParameters("getstates", 0x12340000, 0x12300000),
              "kova2.DRV,DriverConfig getstates $12340000 #12300000");
    EXPECT_EQ(driver::ConfigCallParameters("setconfig_onthefly", 0x010F00AB, 0x7, {"x.so", "Entry"}),
              "x.so,Entry setconfig_onthefly $010F00AB #00000007");
    EXPECT_EQ(driver::ConfigCommandName(0x4001), "getstates");
    EXPECT_EQ(driver::ConfigCommandName(0x4002), "reconfigurable");
    EXPECT_EQ(driver::ConfigCommandName(0x4003), "getconfig");
    EXPECT_EQ(driver::ConfigCommandName(0x4004), "setconfig");
    EXPECT_EQ(driver::ConfigCommandName(0x4005), "setconfig_onthefly");
    EXPECT_FALSE(driver::ConfigCommandName(0x4000));
    EXPECT_FALSE(driver::ConfigCommandName(0x4006));
}

TEST_F(ConfigCallTest, RecordsTravelBothWays) {
    Target("Answer");
    std::int32_t reconfigurable = 0;
    EXPECT_TRUE(DriverConfigCall(driver::ConfigReconfigurable, &reconfigurable, sizeof reconfigurable));
    EXPECT_EQ(reconfigurable, 0x01010101);

    auto array = Counting<sizeof(driver::ConfigArray)>();
    EXPECT_TRUE(DriverConfigCall(driver::ConfigGetConfig, array.data(), array.size()));
    for (std::size_t i = 0; i < array.size(); ++i)
        ASSERT_EQ(array[i], static_cast<unsigned char>(i + 1)) << i;

    driver::OnTheFlyConfig onTheFly{};
    EXPECT_TRUE(DriverConfigCall(driver::ConfigSetOnTheFly, &onTheFly, sizeof onTheFly));
    EXPECT_EQ(onTheFly.GsifPreload, 0x01010101);
}

TEST_F(ConfigCallTest, UnknownCodeStartsNothingAndLeavesTheRecord) {
    MessageBoxCapture capture;
    Target("Answer");
    auto record = Counting<20>();
    for (std::int32_t code : {0, 0x4000, 0x4006, -1}) {
        EXPECT_FALSE(DriverConfigCall(code, record.data(), record.size()));
        EXPECT_FALSE(platform::TakeStartedProcess());
    }
    EXPECT_EQ(record, Counting<20>());
    EXPECT_FALSE(DriverConfigCall(driver::ConfigGetStates, nullptr, 20));
    EXPECT_FALSE(DriverConfigCall(driver::ConfigGetStates, record.data(), 0));
    EXPECT_TRUE(capture.boxes.empty());
}

TEST_F(ConfigCallTest, HostThatEndsWithoutAnsweringIsReportedOnce) {
    MessageBoxCapture capture;
    for (const char* entry : {"Crash", "ExitEarly", "NoSuchEntry"}) {
        Target(entry);
        auto record = Counting<688>();
        EXPECT_FALSE(DriverConfigCall(driver::ConfigGetConfig, record.data(), record.size())) << entry;
        EXPECT_EQ(record, Counting<688>()) << entry << ": what the host scribbled is not taken";
    }
    ASSERT_EQ(capture.boxes.size(), 1u);
    EXPECT_EQ(capture.boxes[0].caption, "Kova 2 Fehler");
    EXPECT_EQ(capture.boxes[0].type, win::MB_OK | win::MB_ICONHAND);
    EXPECT_EQ(capture.boxes[0].owner, 0u);
    EXPECT_EQ(capture.boxes[0].text.rfind("Der Kova 2 Treiber antwortet nicht.", 0), 0u);
}

TEST_F(ConfigCallTest, HostThatNeverAnswersIsStoppedBeforeItsBlocksAreFreed) {
    MessageBoxCapture capture;
    Target("Hang", 1500ms);
    const auto pidFile = platform::RuntimeDir() / "hanging-host.pid";
    std::filesystem::remove(pidFile);
    driver::DriverStates states{1, {2, 3, 4, 5}};
    EXPECT_FALSE(DriverConfigCall(driver::ConfigGetStates, &states, sizeof states));
    EXPECT_EQ(states.Card[3], 5);
    EXPECT_EQ(capture.boxes.size(), 1u);

    pid_t host = 0;
    std::ifstream(pidFile) >> host;
    ASSERT_GT(host, 0) << "the host reached the entry before the deadline";
    EXPECT_TRUE(kill(host, 0) != 0 && errno == ESRCH) << "stopped and reaped";
}

TEST_F(ConfigCallTest, FirstCallWaitsLongerForAColdHost) {
    MessageBoxCapture capture;
    driver::ConfigCallOptions options;
    options.target = {"kova2_testentry.so", "AnswerLate"};
    options.answerTimeout = 300ms;
    options.coldStartTimeout = 10s;
    driver::SetConfigCallOptions(options);
    std::int32_t value = 0;
    EXPECT_TRUE(DriverConfigCall(driver::ConfigReconfigurable, &value, sizeof value)) << "the cold start is waited for";
    EXPECT_EQ(value, 0x01010101);
    EXPECT_TRUE(capture.boxes.empty());

    EXPECT_FALSE(DriverConfigCall(driver::ConfigReconfigurable, &value, sizeof value)) << "a warm host has less time";
    EXPECT_EQ(capture.boxes.size(), 1u);
}
