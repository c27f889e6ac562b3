#pragma once
// The live file: what only the card's server process (`serve`) knows, handed to the driver. One writer,
// any number of readers that never lock.
//
// live.levels in the runtime folder, 0600, fixed size, memory-mapped, native byte order:
//   header   magic "KOVA2LIV", version, size of the file, the writer's pid, ended (set when the
//            writer ends cleanly, just before it removes the file), heartbeat (CLOCK_MONOTONIC ms)
//   per card lock rate of the digital input (Hz, 0 = no lock), whether an application plays
//   per card and metering point (analog/digital x input/output) a ring of kPeakRingBlocks block peaks:
//            the count of blocks published, and per slot one 64-bit word holding the block's number
//            and both channels' peaks, so a slot is always read whole
// Every field a reader reads is a lock-free atomic; no reader ever writes.
//
// Who writes: the writer holds an fcntl write lock on live.levels.lock (never removed), which dies
// with its holder. A second writer is refused while the lock is held; a writer that finds the lock free
// and a file left behind sweeps it (the one who left it was killed) and writes a new file under the same
// name (a new inode, so readers of the old mapping notice).
//
// What readers see (LiveStatus):
//   NoServer  no file, an unreadable one, or one whose writer ended cleanly: the card is what it is
//             without serve, its programme signal included.
//   Live      heartbeat younger than kHeartbeatTimeout: levels, lock rate and playback come from here.
//   Stale     a file whose heartbeat stopped (the writer was killed or hangs): no sound reaches the card,
//             so levels read 0, the digital input has no lock and no application plays. It lasts until a
//             new writer takes over or the admin tool sweeps the dead writer's file.
#include "simcard/card_devices.h"
#include "simcard/stereo_level.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/types.h>

namespace simcard {

constexpr std::chrono::milliseconds kHeartbeatTimeout{500};
constexpr std::uint64_t kPeakRingBlocks = 64; // ~0.64 s of 10 ms blocks per metering point

enum class LiveStatus { NoServer, Live, Stale };

// CLOCK_MONOTONIC in milliseconds: the heartbeat's clock, shared by every process of the machine.
std::int64_t MonotonicMs();
using LiveClock = std::int64_t (*)(); // milliseconds on the heartbeat's clock

// live.levels in the runtime folder, beside card.state.
std::filesystem::path LiveFilePath();

class LiveFileMapping;

class LiveWriter {
public:
    // Claims the file and writes a fresh one (no lock, no playback, empty rings, heartbeat now). Throws
    // std::runtime_error naming the holder's pid when another writer holds it, or naming the path
    // when the file cannot be made.
    explicit LiveWriter(std::filesystem::path path = LiveFilePath(), LiveClock clock = MonotonicMs);
    // Marks the file ended and removes it.
    ~LiveWriter();
    LiveWriter(const LiveWriter&) = delete;
    LiveWriter& operator=(const LiveWriter&) = delete;

    // Appends one processing block's peak at the device's metering point.
    void PublishPeak(const CardDevice& device, StereoLevel peak);
    void SetLockRate(int card, std::int32_t hz);
    void SetPlaybackRunning(int card, bool running);
    // Heartbeat: the time now. Call at least every few hundred ms.
    void Beat();

private:
    std::filesystem::path path_;
    LiveClock clock_;
    int lockFd_ = -1;
    std::unique_ptr<LiveFileMapping> mapping_;
};

// The writer as the admin tool shows it.
struct LiveWriterInfo {
    pid_t pid;
    std::int64_t heartbeatAgeMs;
    LiveStatus status;
};

class LiveReader {
public:
    explicit LiveReader(std::filesystem::path path = LiveFilePath(), LiveClock clock = MonotonicMs);
    ~LiveReader();
    LiveReader(const LiveReader&) = delete;
    LiveReader& operator=(const LiveReader&) = delete;

    // Looks for a new or replaced file at most every kRecheckInterval, and at once when the mapped
    // writer ended; otherwise only reads the clock.
    LiveStatus Status();

    // The maximum of the blocks published at the device's metering point since cursor, which then
    // points past the last of them; a cursor that fell behind the ring reads the whole ring, one with
    // nothing new reads the latest block again. Zero unless Live.
    StereoLevel PeakSince(const CardDevice& device, std::uint64_t& cursor);
    // Zero unless Live.
    std::int32_t LockRate(int card);
    // False unless Live.
    bool PlaybackRunning(int card);

    // The writer of the file, or nothing without one (NoServer).
    std::optional<LiveWriterInfo> Writer();

    static constexpr std::chrono::milliseconds kRecheckInterval{100};

private:
    LiveStatus StatusLocked(std::int64_t nowMs);
    void Remap(std::int64_t nowMs);

    std::filesystem::path path_;
    LiveClock clock_;
    std::mutex mutex_; // the driver's threads share one reader
    std::unique_ptr<LiveFileMapping> mapping_;
    std::int64_t checkedMs_ = 0;
    bool everChecked_ = false;
};

// Removes a file whose writer is gone (killed); true when there was one to remove. Leaves a live or a
// hanging writer's file alone.
bool SweepDeadWriter(const std::filesystem::path& path = LiveFilePath());

// This process's one reader of the runtime folder's live file.
LiveReader& ProcessLive();

} // namespace simcard
