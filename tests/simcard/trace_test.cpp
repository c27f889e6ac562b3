#include "tests/simcard/fresh_card.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace simcard {
namespace {

using TraceTest = FreshCard;

std::vector<std::string> Events() {
    std::vector<std::string> events;
    for (const TraceLine& line : ReadTrace())
        events.push_back(line.event);
    return events;
}

TEST_F(TraceTest, RecordsOnlyWhileOnAndClears) {
    SetTraceEnabled(true);
    TraceCall("config", "getstates $12340000 #12300000", "done");
    SetTraceEnabled(false);
    TraceCall("config", "getconfig $12340000 #12300000", "done");

    const auto lines = ReadTrace();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].pid, getpid());
    EXPECT_EQ(lines[0].event, "config getstates $12340000 #12300000 -> done");

    ClearTrace();
    EXPECT_TRUE(ReadTrace().empty());
}

TEST_F(TraceTest, KeepsEveryCallOnOneLine) {
    SetTraceEnabled(true);
    TraceCall("config", "get\nstates\\ $1", "refused: unknown command \"get\nstates\\\"");
    TraceCall("config", std::string(300, 'x'), "done");

    const auto events = Events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], "config get\\x0Astates\\x5C $1 -> refused: unknown command \"get\\x0Astates\\x5C\"");
    EXPECT_EQ(events[1], "config " + std::string(200, 'x') + "... -> done");
}

TEST_F(TraceTest, ConcurrentWritersNeverInterleave) {
    constexpr int kWriters = 4;
    constexpr int kLinesEach = 200;
    SetTraceEnabled(true);
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([w] {
            const std::string call(150, static_cast<char>('a' + w));
            for (int i = 0; i < kLinesEach; ++i)
                TraceCall("config", call, std::string(400, static_cast<char>('A' + w)));
        });
    }
    for (auto& writer : writers)
        writer.join();

    const auto events = Events();
    ASSERT_EQ(events.size(), static_cast<std::size_t>(kWriters * kLinesEach));
    for (const std::string& event : events) {
        const char w = event.at(7);
        ASSERT_EQ(event, "config " + std::string(150, w) + " -> " +
                             std::string(400, static_cast<char>(w - 'a' + 'A')));
    }
}

} // namespace
} // namespace simcard
