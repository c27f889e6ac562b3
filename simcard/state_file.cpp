#include "simcard/state_file.h"

#include "platform/paths.h"
#include "simcard/process_instance.h"
#include "simcard/record_lock.h"
#include "simcard/report.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <optional>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace simcard {
namespace {

std::string ErrnoText() {
    return std::strerror(errno);
}

bool WriteAll(int fd, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Writes a default state beside path and renames it into place, so that no process ever maps a
// half-written file. Returns the reason when that fails.
std::optional<std::string> WriteDefaultFile(const fs::path& path) {
    const fs::path temporary = path.string() + ".new-" + std::to_string(getpid());
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return "cannot create " + temporary.string() + ": " + ErrnoText();
    const CardStateLayout state = DefaultState();
    const bool written = WriteAll(fd, &state, sizeof state) && fsync(fd) == 0;
    const std::string writeError = ErrnoText();
    close(fd);
    if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string error = written ? ErrnoText() : writeError;
        unlink(temporary.c_str());
        return "cannot write " + path.string() + ": " + error;
    }
    return std::nullopt;
}

} // namespace

// An open, mapped state file of the right size, remembered by identity so that a replacement of the
// file under its name is noticed.
class MappedStateFile {
public:
    MappedStateFile(int fd, CardStateLayout* state, const struct stat& info)
        : fd_(fd), state_(state), device_(info.st_dev), inode_(info.st_ino) {}
    ~MappedStateFile() {
        munmap(state_, kStateFileSize);
        close(fd_);
    }
    MappedStateFile(const MappedStateFile&) = delete;
    MappedStateFile& operator=(const MappedStateFile&) = delete;

    CardStateLayout* state() const { return state_; }

    // Still the file under that name, and still whole: someone else may have cut it short, and
    // touching the missing pages would kill the process.
    bool IsWholeFileAt(const fs::path& path) const {
        struct stat info {};
        return stat(path.c_str(), &info) == 0 && info.st_dev == device_ && info.st_ino == inode_ &&
               info.st_size == static_cast<off_t>(kStateFileSize);
    }

private:
    int fd_;
    CardStateLayout* state_;
    dev_t device_;
    ino_t inode_;
};

namespace {

struct OpenAttempt {
    std::unique_ptr<MappedStateFile> mapping;
    std::string problem; // why the file at the path cannot be used, when mapping is empty
};

// Opens and maps the file at path when it is a usable state; otherwise says why not.
OpenAttempt TryMap(const fs::path& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return {nullptr, "is missing"};
        return {nullptr, "cannot be opened (" + ErrnoText() + ")"};
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || info.st_size != static_cast<off_t>(kStateFileSize)) {
        close(fd);
        return {nullptr, "has " + std::to_string(info.st_size) + " bytes instead of " +
                             std::to_string(kStateFileSize)};
    }
    void* memory = mmap(nullptr, kStateFileSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) {
        const std::string problem = "cannot be mapped (" + ErrnoText() + ")";
        close(fd);
        return {nullptr, problem};
    }
    auto mapping = std::make_unique<MappedStateFile>(fd, static_cast<CardStateLayout*>(memory), info);
    if (auto problem = StateProblem(*mapping->state())) return {nullptr, *problem};
    return {std::move(mapping), {}};
}

} // namespace

StateFile::StateFile(fs::path path) : path_(std::move(path)) {}

StateFile::~StateFile() {
    if (lockFd_ >= 0) close(lockFd_);
}

std::unique_ptr<RecordLock> StateFile::LockAndCheck() {
    if (memoryState_) return nullptr;
    if (lockFd_ < 0) {
        const fs::path lockPath = path_.string() + ".lock";
        lockFd_ = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (lockFd_ < 0) {
            FallBackToMemory("cannot open " + lockPath.string() + ": " + ErrnoText());
            return nullptr;
        }
    }
    auto lock = std::make_unique<RecordLock>(lockFd_);
    if (!MappingStillValid()) MapOrReplace();
    if (mapping_) checked_ = std::chrono::steady_clock::now();
    return lock;
}

bool StateFile::MappingStillValid() const {
    return mapping_ && mapping_->IsWholeFileAt(path_) && !StateProblem(*mapping_->state());
}

namespace {

// Everything but the reserved area, which no reader needs.
constexpr std::size_t kCopiedBytes = offsetof(CardStateLayout, reserved);

std::atomic_ref<std::uint32_t> Sequence(CardStateLayout& state) {
    return std::atomic_ref<std::uint32_t>(state.sequence);
}

} // namespace

StateFile::WriteScope::WriteScope(CardStateLayout& state) : state_(state) {
    auto sequence = Sequence(state_);
    sequence.store(sequence.load(std::memory_order_relaxed) | 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
}

// Odd-to-even even after a writer that died halfway left the sequence odd.
StateFile::WriteScope::~WriteScope() {
    auto sequence = Sequence(state_);
    sequence.store((sequence.load(std::memory_order_relaxed) | 1) + 1, std::memory_order_release);
}

bool StateFile::CopyWithoutLock() {
    if (!mapping_) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now - checked_ > kRecheckInterval) {
        // The file's identity and size need no lock; a replaced or cut file goes the locked way.
        if (!mapping_->IsWholeFileAt(path_)) return false;
        checked_ = now;
    }
    auto sequence = Sequence(*state_);
    const std::uint32_t before = sequence.load(std::memory_order_acquire);
    if (before & 1) return false;
    if (snapshotSequence_ == before) return true;
    std::memcpy(snapshot_.get(), state_, kCopiedBytes);
    std::atomic_thread_fence(std::memory_order_acquire);
    // The file may have been damaged since its last check; a damaged copy goes the locked way.
    if (sequence.load(std::memory_order_relaxed) != before || StateProblem(*snapshot_)) return false;
    snapshotSequence_ = before;
    return true;
}

void StateFile::CopyWithLock() {
    const auto lock = LockAndCheck();
    std::memcpy(snapshot_.get(), state_, kCopiedBytes);
    const std::uint32_t sequence = state_->sequence;
    // A writer that died halfway left the sequence odd: the next writer makes it even again.
    snapshotSequence_ = mapping_ && !(sequence & 1) ? std::optional(sequence) : std::nullopt;
}

void StateFile::MapOrReplace() {
    snapshotSequence_.reset(); // another file may stand at the same sequence
    mapping_.reset();
    state_ = nullptr;
    OpenAttempt attempt = TryMap(path_);
    if (!attempt.mapping) {
        ReportProblem("card state " + path_.string() + " " + attempt.problem +
                      "; a fresh one with defaults takes its place");
        if (auto failure = WriteDefaultFile(path_)) {
            FallBackToMemory(*failure);
            return;
        }
        attempt = TryMap(path_);
        if (!attempt.mapping) {
            FallBackToMemory("the fresh card state " + attempt.problem);
            return;
        }
    }
    mapping_ = std::move(attempt.mapping);
    state_ = mapping_->state();
}

void StateFile::FallBackToMemory(const std::string& why) {
    ReportProblem(why + "; the card state lives in this process only");
    mapping_.reset();
    memoryState_ = std::make_unique<CardStateLayout>(DefaultState());
    state_ = memoryState_.get();
}

fs::path CardStatePath() {
    return platform::RuntimeDir() / "card.state";
}

StateFile& ProcessCardState() {
    return ProcessInstance<StateFile>(CardStatePath);
}

} // namespace simcard
