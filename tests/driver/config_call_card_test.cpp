// Configuration calls against the simulated card's driver library, run by the rundll host.
#include "driver/config_call.h"
#include "driver/config_records.h"
#include "driver/no_answer_report.h"
#include "platform/wow16.h"
#include "simcard/trace.h"
#include "tests/driver/message_box_capture.h"

#include <gtest/gtest.h>
#include <unistd.h>

using driver::DriverConfigCall;

TEST(ConfigCallWithCard, GetStatesOfTheDefaultCardsAndTheArrayRoundTrip) {
    driver::SetConfigCallOptions({});
    driver::ResetDriverNotAnsweringReport();
    MessageBoxCapture capture;
    const win::DWORD liveBlocks = platform::LiveHeapBlocks();
    simcard::ClearTrace();
    simcard::SetTraceEnabled(true);

    driver::DriverStates states;
    ASSERT_TRUE(DriverConfigCall(driver::ConfigGetStates, &states, sizeof states));
    EXPECT_EQ(states.Overall, 1);
    EXPECT_EQ(states.Card[0], 1);
    EXPECT_EQ(states.Card[1], 1);
    EXPECT_EQ(states.Card[2], 0);
    EXPECT_EQ(states.Card[3], 0);

    driver::ConfigArray array{};
    ASSERT_TRUE(DriverConfigCall(driver::ConfigGetConfig, &array, sizeof array));
    array.Cards[1].DsLatency = 42;
    array.Cards[3].Opaque168 = 0x5A5A;
    ASSERT_TRUE(DriverConfigCall(driver::ConfigSetConfig, &array, sizeof array));
    driver::ConfigArray readBack{};
    ASSERT_TRUE(DriverConfigCall(driver::ConfigGetConfig, &readBack, sizeof readBack));
    EXPECT_EQ(readBack.Cards[1].DsLatency, 42);
    EXPECT_EQ(readBack.Cards[3].Opaque168, 0x5A5A);

    simcard::SetTraceEnabled(false);
    const auto trace = simcard::ReadTrace();
    ASSERT_EQ(trace.size(), 4u);
    EXPECT_NE(trace[0].pid, long(getpid())) << "the driver ran in the host's process";
    EXPECT_EQ(trace[0].event.rfind("config getstates $", 0), 0u) << trace[0].event;
    EXPECT_TRUE(trace[0].event.ends_with("-> done")) << trace[0].event;
    EXPECT_TRUE(capture.boxes.empty());
    EXPECT_EQ(platform::LiveHeapBlocks(), liveBlocks);
}
