#include "platform/paths.h"
#include "simcard/record_lock.h"
#include "simcard/state_file.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace simcard {
namespace {

class StateFileTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = platform::RuntimeDir() /
               ("state-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = dir_ / "card.state";
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::int32_t DriverState(StateFile& file) {
        return file.Access([](CardStateLayout& state) { return state.driverState; });
    }

    // Opens the file through a new view and returns what was reported on the way.
    std::string OpenAndReport() {
        testing::internal::CaptureStderr();
        StateFile file(path_);
        file.Access([](CardStateLayout&) {});
        return testing::internal::GetCapturedStderr();
    }

    fs::path dir_;
    fs::path path_;
};

TEST_F(StateFileTest, FreshFileHoldsDriverReadyAndTwoHealthyCardsWithPlausibleSettings) {
    EXPECT_NE(OpenAndReport().find("missing"), std::string::npos);
    EXPECT_EQ(fs::file_size(path_), kStateFileSize);
    EXPECT_EQ(fs::status(path_).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    StateFile file(path_);
    file.Access([](CardStateLayout& state) {
        EXPECT_EQ(state.driverState, kStateReady);
        EXPECT_EQ(state.cardCount, 2);
        EXPECT_EQ(state.reconfigurable, kTrue);
        for (int card = 0; card < kMaxCards; ++card) {
            SCOPED_TRACE(card);
            const std::byte* record = state.configArray.data() + card * kCardConfigSize;
            auto field = [record](std::size_t offset) { return LoadInt32(record + offset); };
            EXPECT_EQ(state.cardStates[card], kStateReady);
            EXPECT_EQ(field(card_config::kSyncBusMaster), card == 0 ? kTrue : kFalse);
            EXPECT_EQ(field(card_config::kRateConflictMsgs), kTrue);
            EXPECT_EQ(field(card_config::kAnaClockA), field(card_config::kAnaClockB));
            EXPECT_EQ(field(card_config::kRestrictedDevice), -1);
            const std::int32_t kerning = field(card_config::kGsifKerning);
            const std::int32_t preload = field(card_config::kGsifPreload);
            EXPECT_TRUE(kerning >= 0 && kerning <= 3);
            EXPECT_TRUE(preload >= 2 && preload <= 50);
            EXPECT_GE(preload - 2, kerning);
        }
    });
}

TEST_F(StateFileTest, ChangesAreSharedBetweenViewsAndSurviveReopening) {
    StateFile first(path_);
    StateFile second(path_);
    testing::internal::CaptureStderr();
    first.Access([](CardStateLayout& state) {
        state.driverState = -27;
        state.configArray[0] = std::byte{0xFF};
    });
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(DriverState(second), -27);

    StateFile reopened(path_);
    reopened.Access([](CardStateLayout& state) {
        EXPECT_EQ(state.driverState, -27);
        EXPECT_EQ(state.configArray[0], std::byte{0xFF});
    });
}

struct Damage {
    const char* name;
    std::function<void(const fs::path&)> apply;
    const char* reported; // part of the one line on stderr
};

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.name;
}

class DamagedStateFile : public StateFileTest, public testing::WithParamInterface<Damage> {};

TEST_P(DamagedStateFile, IsReportedOnceAndReplacedByDefaults) {
    StateFile file(path_);
    testing::internal::CaptureStderr();
    file.Access([](CardStateLayout& state) { state.driverState = -5; });
    testing::internal::GetCapturedStderr();

    GetParam().apply(path_);
    testing::internal::CaptureStderr();
    const std::int32_t state = DriverState(file);
    const std::string reported = testing::internal::GetCapturedStderr();

    EXPECT_EQ(state, kStateReady);
    EXPECT_EQ(std::count(reported.begin(), reported.end(), '\n'), 1) << reported;
    EXPECT_NE(reported.find(path_.string()), std::string::npos) << reported;
    EXPECT_NE(reported.find(GetParam().reported), std::string::npos) << reported;
    EXPECT_EQ(fs::file_size(path_), kStateFileSize);
    EXPECT_EQ(OpenAndReport(), "") << "the replacement must itself be sound";
}

void Overwrite(const fs::path& path, std::size_t offset, std::string bytes) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(offset));
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

INSTANTIATE_TEST_SUITE_P(
    , DamagedStateFile,
    testing::Values(
        Damage{"Missing", [](const fs::path& path) { fs::remove(path); }, "missing"},
        Damage{"Truncated", [](const fs::path& path) { fs::resize_file(path, 100); }, "100 bytes"},
        Damage{"Empty", [](const fs::path& path) { fs::resize_file(path, 0); }, "0 bytes"},
        Damage{"Grown", [](const fs::path& path) { fs::resize_file(path, 3 * kStateFileSize); },
               "24576 bytes"},
        Damage{"Garbage", [](const fs::path& path) { Overwrite(path, 0, "garbage!"); }, "not a card state"},
        Damage{"WrongVersion", [](const fs::path& path) { Overwrite(path, 8, std::string("\x01\0\0\0", 4)); },
               "layout version 1 instead of"},
        Damage{"CardCountOutOfRange",
               [](const fs::path& path) { Overwrite(path, offsetof(CardStateLayout, cardCount), "\x09"); },
               "card count of 9"},
        Damage{"GainOutOfRange",
               [](const fs::path& path) {
                   Overwrite(path, offsetof(CardStateLayout, hardware) + 2 * sizeof(CardHardware) + 1,
                             "\x05");
               },
               "input gain outside the fader's range in card slot 3"},
        Damage{"ReplacedByAnotherFile",
               [](const fs::path& path) {
                   fs::remove(path);
                   std::ofstream(path) << "not a card";
               },
               "10 bytes"}),
    [](const testing::TestParamInfo<Damage>& info) { return info.param.name; });

TEST_F(StateFileTest, AFileReplacedBehindAViewIsFollowed) {
    StateFile stale(path_);
    testing::internal::CaptureStderr();
    stale.Access([](CardStateLayout& state) { state.driverState = -5; });
    fs::remove(path_);
    StateFile other(path_);
    other.Access([](CardStateLayout& state) { state.driverState = -7; });
    testing::internal::GetCapturedStderr();

    EXPECT_EQ(DriverState(stale), -7);
}

TEST_F(StateFileTest, ViewsOnSeparateThreadsNeverLoseAnUpdate) {
    constexpr int kIncrements = 2000;
    testing::internal::CaptureStderr();
    StateFile(path_).Access([](CardStateLayout& state) { state.driverState = 0; });
    testing::internal::GetCapturedStderr();
    auto increment = [this] {
        StateFile file(path_); // its own description of the lock file
        for (int i = 0; i < kIncrements; ++i) {
            file.Access([](CardStateLayout& state) {
                const std::int32_t seen = state.driverState;
                sched_yield();
                state.driverState = seen + 1;
            });
        }
    };
    std::thread a(increment), b(increment);
    a.join();
    b.join();
    StateFile file(path_);
    EXPECT_EQ(DriverState(file), 2 * kIncrements);
}

// Readers take no lock; a writer on another view (its own lock description, as another process has)
// must never be seen halfway.
TEST_F(StateFileTest, ReadersWithoutTheLockNeverSeeAHalfWrittenState) {
    constexpr int kWrites = 3000;
    testing::internal::CaptureStderr();
    StateFile reader(path_);
    reader.Access([](CardStateLayout& state) { state.onTheFlyGranularity = state.onTheFlyLatency = 0; });
    testing::internal::GetCapturedStderr();
    std::thread writer([this] {
        StateFile file(path_);
        for (int i = 1; i <= kWrites; ++i) {
            file.Access([i](CardStateLayout& state) {
                state.onTheFlyGranularity = i;
                sched_yield();
                state.onTheFlyLatency = i;
            });
        }
    });
    int torn = 0;
    for (int seen = 0; seen < kWrites;) {
        const auto [granularity, latency] = reader.Read([](const CardStateLayout& state) {
            return std::pair(state.onTheFlyGranularity, state.onTheFlyLatency);
        });
        torn += granularity != latency;
        seen = latency;
    }
    writer.join();
    EXPECT_EQ(torn, 0);
}

TEST_F(StateFileTest, ReadersFollowAReplacedFileWithinTheRecheckInterval) {
    testing::internal::CaptureStderr();
    StateFile reader(path_);
    reader.Access([](CardStateLayout& state) { state.driverState = -5; });
    fs::remove(path_);
    StateFile(path_).Access([](CardStateLayout& state) { state.driverState = -7; });
    testing::internal::GetCapturedStderr();

    std::this_thread::sleep_for(StateFile::kRecheckInterval * 2);
    EXPECT_EQ(reader.Read([](const CardStateLayout& state) { return state.driverState; }), -7);
}

// Between checks a reader keeps its copy while the sequence stays; a replacement that the view has
// followed may stand at the sequence the old file had, and must be read all the same.
TEST_F(StateFileTest, AReaderSeesAReplacementThatStandsAtTheOldFilesSequence) {
    const auto driverState = [](const CardStateLayout& state) { return state.driverState; };
    testing::internal::CaptureStderr();
    StateFile reader(path_);
    reader.Access([](CardStateLayout& state) { state.driverState = -5; });
    reader.Access([](CardStateLayout&) {});
    EXPECT_EQ(reader.Read(driverState), -5);
    fs::remove(path_);
    StateFile(path_).Access([](CardStateLayout& state) { state.driverState = -7; });
    reader.Access([](CardStateLayout&) {}); // follows the new file, whose sequence now is the old one's
    testing::internal::GetCapturedStderr();

    EXPECT_EQ(reader.Read(driverState), -7);
}

TEST_F(StateFileTest, AWriteThroughAnotherViewIsReadAtOnce) {
    testing::internal::CaptureStderr();
    StateFile reader(path_);
    StateFile writer(path_);
    writer.Access([](CardStateLayout& state) { state.driverState = -5; });
    testing::internal::GetCapturedStderr();
    const auto driverState = [](const CardStateLayout& state) { return state.driverState; };
    EXPECT_EQ(reader.Read(driverState), -5);
    writer.Access([](CardStateLayout& state) { state.driverState = -6; });
    EXPECT_EQ(reader.Read(driverState), -6);
}

// The meters read many times a second: a reader whose file is still the same, whole and unchanged
// never waits for the lock, which a writer or the admin tool may hold for a while.
TEST_F(StateFileTest, AReaderOfAnUnchangedFileDoesNotWaitForTheLock) {
    testing::internal::CaptureStderr();
    StateFile reader(path_);
    reader.Access([](CardStateLayout& state) { state.driverState = -5; });
    testing::internal::GetCapturedStderr();
    const int lockFd = open((path_.string() + ".lock").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(lockFd, 0);
    auto held = std::make_unique<RecordLock>(lockFd);
    std::this_thread::sleep_for(StateFile::kRecheckInterval * 2);

    auto read = std::async(std::launch::async, [&reader] {
        return reader.Read([](const CardStateLayout& state) { return state.driverState; });
    });
    const bool readWhileLocked = read.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    held.reset();
    close(lockFd);
    EXPECT_TRUE(readWhileLocked);
    EXPECT_EQ(read.get(), -5);
}

TEST_F(StateFileTest, TheLockDiesWithAKilledHolder) {
    testing::internal::CaptureStderr();
    StateFile(path_).Access([](CardStateLayout&) {});
    testing::internal::GetCapturedStderr();
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        StateFile(path_).Access([&](CardStateLayout&) {
            [[maybe_unused]] auto written = write(ready[1], "x", 1);
            pause();
        });
        _exit(0);
    }
    char byte;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    close(ready[0]);
    close(ready[1]);

    StateFile file(path_);
    EXPECT_EQ(DriverState(file), kStateReady);
}

} // namespace
} // namespace simcard
