#include "simcard/live_file.h"

#include "platform/paths.h"
#include "simcard/config_records.h"
#include "simcard/process_instance.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace simcard {
namespace {

constexpr std::array<char, 8> kMagic = {'K', 'O', 'V', 'A', '2', 'L', 'I', 'V'};
constexpr std::uint32_t kLayoutVersion = 1;
constexpr int kMeteringPoints = 4; // analog/digital x input/output

struct PeakRing {
    std::uint64_t published; // blocks published so far
    std::array<std::uint64_t, kPeakRingBlocks> slots;
};

struct LiveCard {
    std::int32_t lockRate;
    std::int32_t playbackRunning;
    std::array<PeakRing, kMeteringPoints> points;
};

struct alignas(8) LiveLayout {
    std::array<char, 8> magic;
    std::uint32_t version;
    std::uint32_t size;
    std::int32_t writerPid;
    std::uint32_t ended;
    std::int64_t heartbeatMs;
    std::array<LiveCard, kMaxCards> cards;
};
static_assert(std::atomic_ref<std::uint64_t>::is_always_lock_free);
static_assert(std::atomic_ref<std::int64_t>::is_always_lock_free);

template <class T> T Load(const T& field) {
    return std::atomic_ref(const_cast<T&>(field)).load(std::memory_order_acquire);
}

template <class T> void Store(T& field, T value) {
    std::atomic_ref(field).store(value, std::memory_order_release);
}

// A slot: the block's number plus one (0 = never written) above both channels' 15-bit peaks.
constexpr int kPeakBits = 15;
constexpr std::uint64_t kPeakMask = (1u << kPeakBits) - 1;

std::uint64_t PackBlock(std::uint64_t block, StereoLevel peak) {
    auto bits = [](std::int32_t level) {
        return static_cast<std::uint64_t>(std::clamp(level, 0, kLevelFullScale));
    };
    return ((block + 1) << (2 * kPeakBits)) | (bits(peak.left) << kPeakBits) | bits(peak.right);
}

std::uint64_t SlotBlock(std::uint64_t slot) {
    return (slot >> (2 * kPeakBits)) - 1;
}

StereoLevel SlotPeak(std::uint64_t slot) {
    return {static_cast<std::int32_t>((slot >> kPeakBits) & kPeakMask),
            static_cast<std::int32_t>(slot & kPeakMask)};
}

StereoLevel Max(StereoLevel a, StereoLevel b) {
    return {std::max(a.left, b.left), std::max(a.right, b.right)};
}

int PointIndex(const CardDevice& device) {
    return 2 * (device.direction == Direction::Output ? 1 : 0) + static_cast<int>(device.kind);
}

bool ValidCard(int card) {
    return card >= 0 && card < kMaxCards;
}

std::string ErrnoText() {
    return std::strerror(errno);
}

fs::path LockPath(const fs::path& path) {
    return path.string() + ".lock";
}

// Tries the writer's lock without waiting: an open file description's lock, so that it dies with the
// description and two writers in one process exclude each other. Returns the descriptor holding it, or
// -1 (errno EAGAIN when another holds it).
int TryWriterLock(const fs::path& path) {
    const int fd = open(LockPath(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        const int error = errno == EACCES ? EAGAIN : errno;
        close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

} // namespace

// A mapping of one live file, read-only for readers.
class LiveFileMapping {
public:
    LiveFileMapping(LiveLayout* layout, ino_t inode) : layout_(layout), inode_(inode) {}
    ~LiveFileMapping() { munmap(layout_, sizeof(LiveLayout)); }
    LiveFileMapping(const LiveFileMapping&) = delete;
    LiveFileMapping& operator=(const LiveFileMapping&) = delete;

    // The file at path mapped, or nothing when it is missing or not a live file of this layout.
    static std::unique_ptr<LiveFileMapping> Open(const fs::path& path) {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) return nullptr;
        struct stat status {};
        void* memory = MAP_FAILED;
        if (fstat(fd, &status) == 0 && status.st_size == static_cast<off_t>(sizeof(LiveLayout))) {
            memory = mmap(nullptr, sizeof(LiveLayout), PROT_READ, MAP_SHARED, fd, 0);
        }
        close(fd);
        if (memory == MAP_FAILED) return nullptr;
        auto mapping = std::make_unique<LiveFileMapping>(static_cast<LiveLayout*>(memory), status.st_ino);
        const LiveLayout& layout = mapping->layout();
        if (layout.magic != kMagic || layout.version != kLayoutVersion || layout.size != sizeof(LiveLayout)) {
            return nullptr;
        }
        return mapping;
    }

    // A new live file at path (replacing whatever is there), mapped for writing.
    static std::unique_ptr<LiveFileMapping> Create(const fs::path& path, std::int64_t nowMs) {
        const fs::path temporary = path.string() + ".new-" + std::to_string(getpid());
        const int fd = open(temporary.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) throw std::runtime_error("cannot create " + temporary.string() + ": " + ErrnoText());
        void* memory = MAP_FAILED;
        struct stat status {};
        if (ftruncate(fd, sizeof(LiveLayout)) == 0 && fstat(fd, &status) == 0) {
            memory = mmap(nullptr, sizeof(LiveLayout), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        }
        const std::string error = ErrnoText();
        close(fd);
        if (memory == MAP_FAILED) {
            unlink(temporary.c_str());
            throw std::runtime_error("cannot make " + path.string() + ": " + error);
        }
        auto mapping = std::make_unique<LiveFileMapping>(static_cast<LiveLayout*>(memory), status.st_ino);
        LiveLayout& layout = mapping->writable();
        layout.magic = kMagic;
        layout.version = kLayoutVersion;
        layout.size = sizeof(LiveLayout);
        layout.writerPid = getpid();
        layout.heartbeatMs = nowMs;
        if (rename(temporary.c_str(), path.c_str()) != 0) {
            const std::string renameError = ErrnoText();
            unlink(temporary.c_str());
            throw std::runtime_error("cannot make " + path.string() + ": " + renameError);
        }
        return mapping;
    }

    const LiveLayout& layout() const { return *layout_; }
    LiveLayout& writable() { return *layout_; }
    ino_t inode() const { return inode_; }

private:
    LiveLayout* layout_;
    ino_t inode_;
};

std::int64_t MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

fs::path LiveFilePath() {
    return platform::RuntimeDir() / "live.levels";
}

LiveWriter::LiveWriter(fs::path path, LiveClock clock) : path_(std::move(path)), clock_(clock) {
    lockFd_ = TryWriterLock(path_);
    if (lockFd_ < 0) {
        if (errno != EAGAIN) {
            throw std::runtime_error("cannot lock " + LockPath(path_).string() + ": " + ErrnoText());
        }
        const auto other = LiveFileMapping::Open(path_);
        const std::string holder =
            other ? " (pid " + std::to_string(Load(other->layout().writerPid)) + ")" : "";
        throw std::runtime_error("another serve" + holder + " already runs the cards in " +
                                 path_.parent_path().string());
    }
    try {
        mapping_ = LiveFileMapping::Create(path_, clock_());
    } catch (...) {
        close(lockFd_);
        throw;
    }
}

LiveWriter::~LiveWriter() {
    Store(mapping_->writable().ended, 1u);
    unlink(path_.c_str());
    mapping_.reset();
    close(lockFd_);
}

void LiveWriter::PublishPeak(const CardDevice& device, StereoLevel peak) {
    if (!ValidCard(device.card)) return;
    PeakRing& ring = mapping_->writable().cards[device.card].points[PointIndex(device)];
    const std::uint64_t block = ring.published; // only this writer changes it
    Store(ring.slots[block % kPeakRingBlocks], PackBlock(block, peak));
    Store(ring.published, block + 1);
}

void LiveWriter::SetLockRate(int card, std::int32_t hz) {
    if (ValidCard(card)) Store(mapping_->writable().cards[card].lockRate, std::max(hz, 0));
}

void LiveWriter::SetPlaybackRunning(int card, bool running) {
    if (ValidCard(card)) Store(mapping_->writable().cards[card].playbackRunning, running ? 1 : 0);
}

void LiveWriter::Beat() {
    Store(mapping_->writable().heartbeatMs, clock_());
}

LiveReader::LiveReader(fs::path path, LiveClock clock) : path_(std::move(path)), clock_(clock) {}

LiveReader::~LiveReader() = default;

void LiveReader::Remap(std::int64_t nowMs) {
    checkedMs_ = nowMs;
    everChecked_ = true;
    struct stat status {};
    if (stat(path_.c_str(), &status) != 0) {
        mapping_.reset();
        return;
    }
    if (mapping_ && mapping_->inode() == status.st_ino && !Load(mapping_->layout().ended)) return;
    mapping_ = LiveFileMapping::Open(path_);
}

LiveStatus LiveReader::StatusLocked(std::int64_t nowMs) {
    const bool ended = mapping_ && Load(mapping_->layout().ended);
    if (ended || !everChecked_ || nowMs - checkedMs_ >= kRecheckInterval.count()) Remap(nowMs);
    if (!mapping_ || Load(mapping_->layout().ended)) return LiveStatus::NoServer;
    const std::int64_t age = nowMs - Load(mapping_->layout().heartbeatMs);
    // A heartbeat from the future is one from before a reboot.
    return age >= 0 && age < kHeartbeatTimeout.count() ? LiveStatus::Live : LiveStatus::Stale;
}

LiveStatus LiveReader::Status() {
    const std::int64_t now = clock_();
    std::lock_guard guard(mutex_);
    return StatusLocked(now);
}

StereoLevel LiveReader::PeakSince(const CardDevice& device, std::uint64_t& cursor) {
    const std::int64_t now = clock_();
    std::lock_guard guard(mutex_);
    if (StatusLocked(now) != LiveStatus::Live || !ValidCard(device.card)) return {};
    const PeakRing& ring = mapping_->layout().cards[device.card].points[PointIndex(device)];
    const std::uint64_t published = Load(ring.published);
    if (cursor > published) cursor = 0; // a cursor of an earlier writer's file
    const std::uint64_t oldest = published > kPeakRingBlocks ? published - kPeakRingBlocks : 0;
    // Nothing new since the last read repeats the latest block: serve's blocks come in bursts, and a
    // meter polled between two would otherwise fall and rise again on a steady sound.
    const std::uint64_t since = cursor < published ? cursor : published - std::min<std::uint64_t>(published, 1);
    const std::uint64_t first = std::max(since, oldest);
    cursor = published;
    StereoLevel peak{};
    for (std::uint64_t block = first; block < published; ++block) {
        const std::uint64_t slot = Load(ring.slots[block % kPeakRingBlocks]);
        // A slot the writer has filled again since holds a later block: still one since the cursor.
        if (slot != 0 && SlotBlock(slot) >= first) peak = Max(peak, SlotPeak(slot));
    }
    return peak;
}

std::int32_t LiveReader::LockRate(int card) {
    const std::int64_t now = clock_();
    std::lock_guard guard(mutex_);
    if (StatusLocked(now) != LiveStatus::Live || !ValidCard(card)) return 0;
    return Load(mapping_->layout().cards[card].lockRate);
}

bool LiveReader::PlaybackRunning(int card) {
    const std::int64_t now = clock_();
    std::lock_guard guard(mutex_);
    if (StatusLocked(now) != LiveStatus::Live || !ValidCard(card)) return false;
    return Load(mapping_->layout().cards[card].playbackRunning) != 0;
}

std::optional<LiveWriterInfo> LiveReader::Writer() {
    const std::int64_t now = clock_();
    std::lock_guard guard(mutex_);
    const LiveStatus status = StatusLocked(now);
    if (status == LiveStatus::NoServer) return std::nullopt;
    const LiveLayout& layout = mapping_->layout();
    return LiveWriterInfo{Load(layout.writerPid), now - Load(layout.heartbeatMs), status};
}

bool SweepDeadWriter(const fs::path& path) {
    const int lockFd = TryWriterLock(path);
    if (lockFd < 0) return false;
    const bool swept = unlink(path.c_str()) == 0;
    close(lockFd);
    return swept;
}

LiveReader& ProcessLive() {
    return ProcessInstance<LiveReader>(LiveFilePath);
}

} // namespace simcard
