#include "simcard/live_file.h"
#include "tests/simcard/live_writer_process.h"

#include <atomic>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace simcard {
namespace {

using testing::HasSubstr;

// The heartbeat's clock, moved by the tests.
std::atomic<std::int64_t> nowMs{0};

std::int64_t TestClock() {
    return nowMs.load();
}

void Advance(std::chrono::milliseconds by) {
    nowMs += by.count();
}

constexpr CardDevice kAnalogIn{Direction::Input, DeviceKind::Analog, 0};
constexpr CardDevice kDigitalOut{Direction::Output, DeviceKind::Digital, 3};

StereoLevel Even(std::int32_t level) {
    return {level, level};
}

class LiveFileTest : public testing::Test {
protected:
    void SetUp() override {
        nowMs = 1000000;
        std::filesystem::create_directories(folder_);
        std::filesystem::remove(path_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    LiveReader Reader() { return LiveReader(path_, TestClock); }

    const std::filesystem::path folder_ =
        std::filesystem::temp_directory_path() / ("kova2-live-" + std::to_string(getpid()));
    const std::filesystem::path path_ = folder_ / "live.levels";
};

TEST_F(LiveFileTest, EachCursorReadsTheMaximumSinceItsOwnLastRead) {
    LiveWriter writer(path_, TestClock);
    LiveReader reader = Reader();
    std::uint64_t first = 0;
    std::uint64_t second = 0;
    for (std::int32_t peak : {1000, 3000, 2000})
        writer.PublishPeak(kAnalogIn, Even(peak));
    EXPECT_EQ(reader.PeakSince(kAnalogIn, first), Even(3000));
    EXPECT_EQ(reader.PeakSince(kAnalogIn, first), Even(2000)) << "nothing published since: the latest block";

    writer.PublishPeak(kAnalogIn, {1500, 700});
    EXPECT_EQ(reader.PeakSince(kAnalogIn, first), StereoLevel(1500, 700));
    EXPECT_EQ(reader.PeakSince(kAnalogIn, second), Even(3000)) << "the other cursor has read nothing yet";
    EXPECT_EQ(reader.PeakSince(kDigitalOut, second), Even(0)) << "another point has its own ring";
}

TEST_F(LiveFileTest, ACursorBehindTheRingReadsTheWholeRing) {
    LiveWriter writer(path_, TestClock);
    LiveReader reader = Reader();
    std::uint64_t cursor = 0;
    const std::uint64_t blocks = 3 * kPeakRingBlocks;
    for (std::uint64_t block = 0; block < blocks; ++block) {
        const bool loud = block == 10 || block == blocks - kPeakRingBlocks;
        const bool louder = block == 20;
        writer.PublishPeak(kDigitalOut, Even(louder ? 32000 : loud ? 20000 : 100));
    }
    EXPECT_EQ(reader.PeakSince(kDigitalOut, cursor), Even(20000)) << "blocks 10 and 20 fell out of the ring";
    EXPECT_EQ(cursor, blocks);

    writer.PublishPeak(kDigitalOut, {40000, -5});
    EXPECT_EQ(reader.PeakSince(kDigitalOut, cursor), StereoLevel(32767, 0))
        << "peaks are clamped to the scale";
}

TEST_F(LiveFileTest, OnlyOneWriterAtATime) {
    {
        LiveWriter writer(path_, TestClock);
        try {
            LiveWriter second(path_, TestClock);
            FAIL() << "a second writer was let in";
        } catch (const std::runtime_error& error) {
            EXPECT_THAT(error.what(), HasSubstr("pid " + std::to_string(getpid())));
        }
        struct stat status {};
        ASSERT_EQ(stat(path_.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0600u);
    }
    EXPECT_FALSE(std::filesystem::exists(path_)) << "a writer that ends removes its file";
    EXPECT_NO_THROW(LiveWriter again(path_, TestClock));
}

TEST_F(LiveFileTest, StatusFollowsTheWriterAndItsHeartbeat) {
    LiveReader reader = Reader();
    EXPECT_EQ(reader.Status(), LiveStatus::NoServer);
    auto writer = std::make_unique<LiveWriter>(path_, TestClock);
    writer->SetLockRate(1, 44100);
    writer->SetPlaybackRunning(1, true);
    Advance(LiveReader::kRecheckInterval); // the reader looks for the new file
    EXPECT_EQ(reader.Status(), LiveStatus::Live);
    EXPECT_EQ(reader.LockRate(1), 44100);
    EXPECT_TRUE(reader.PlaybackRunning(1));
    EXPECT_FALSE(reader.PlaybackRunning(0));

    Advance(kHeartbeatTimeout);
    EXPECT_EQ(reader.Status(), LiveStatus::Stale);
    EXPECT_EQ(reader.LockRate(1), 0) << "no lock without a live server";
    EXPECT_FALSE(reader.PlaybackRunning(1));
    writer->Beat();
    EXPECT_EQ(reader.Status(), LiveStatus::Live);

    writer.reset();
    EXPECT_EQ(reader.Status(), LiveStatus::NoServer)
        << "a writer's end is seen at once, not at the next look";
    EXPECT_EQ(reader.Writer(), std::nullopt);
}

TEST_F(LiveFileTest, AFileOfAnotherKindIsNoServer) {
    std::ofstream(path_) << std::string(100000, 'x');
    EXPECT_EQ(Reader().Status(), LiveStatus::NoServer);
    EXPECT_NO_THROW(LiveWriter writer(path_, TestClock)) << "a writer replaces it";
}

TEST_F(LiveFileTest, AKilledWritersFileIsStaleUntilANewWriterTakesItOver) {
    RunKilledWriter(path_, TestClock, [](LiveWriter& writer) {
        writer.PublishPeak(kAnalogIn, Even(9000));
        writer.SetPlaybackRunning(0, true);
    });
    LiveReader reader = Reader();
    const auto fresh = reader.Writer();
    ASSERT_TRUE(fresh.has_value());
    EXPECT_NE(fresh->pid, getpid());

    Advance(kHeartbeatTimeout);
    EXPECT_EQ(reader.Status(), LiveStatus::Stale);
    std::uint64_t cursor = 0;
    EXPECT_EQ(reader.PeakSince(kAnalogIn, cursor), Even(0)) << "no sound reaches a card whose server died";
    EXPECT_FALSE(reader.PlaybackRunning(0));

    LiveWriter successor(path_, TestClock);
    successor.PublishPeak(kAnalogIn, Even(100));
    Advance(LiveReader::kRecheckInterval);
    EXPECT_EQ(reader.Status(), LiveStatus::Live);
    EXPECT_EQ(reader.Writer()->pid, getpid());
    EXPECT_FALSE(reader.PlaybackRunning(0)) << "the dead writer's facts are swept";
    EXPECT_EQ(reader.PeakSince(kAnalogIn, cursor), Even(100));
}

TEST_F(LiveFileTest, OnlyADeadWritersFileIsSwept) {
    {
        LiveWriter writer(path_, TestClock);
        EXPECT_FALSE(SweepDeadWriter(path_));
        EXPECT_TRUE(std::filesystem::exists(path_));
    }
    RunKilledWriter(path_, TestClock, [](LiveWriter&) {});
    EXPECT_TRUE(SweepDeadWriter(path_));
    EXPECT_FALSE(std::filesystem::exists(path_));
    EXPECT_FALSE(SweepDeadWriter(path_)) << "nothing left to sweep";
}

// Every block has equal channels: a torn slot would show unequal ones, a lost one a smaller maximum.
TEST_F(LiveFileTest, ReadersNeverSeeATornBlock) {
    LiveWriter writer(path_, TestClock);
    LiveReader reader = Reader();
    constexpr std::int32_t kBlocks = 200000;
    std::atomic<bool> done{false};
    std::thread publisher([&] {
        for (std::int32_t block = 0; block < kBlocks; ++block)
            writer.PublishPeak(kAnalogIn, Even(block % 32768));
        done = true;
    });
    std::uint64_t cursor = 0;
    int torn = 0;
    int reads = 0;
    for (bool last = false; !last; ++reads) {
        last = done; // one more read after the writer's last block
        const StereoLevel peak = reader.PeakSince(kAnalogIn, cursor);
        torn += peak.left != peak.right ? 1 : 0;
    }
    publisher.join();
    EXPECT_EQ(torn, 0) << "of " << reads << " reads";
    EXPECT_EQ(cursor, std::uint64_t{kBlocks});
}

} // namespace
} // namespace simcard
