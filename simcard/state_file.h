#pragma once
// The card's state file: fixed size, memory-mapped, shared by every process of the user. Each access
// holds an fcntl lock on a companion lock file (the state file itself may be replaced, the lock file never
// is) and first checks the file: one that is missing, truncated, damaged, of another layout version or
// replaced behind our back is reported in one line and replaced by defaults, written to a temporary name
// and renamed into place. The mapped file is never truncated.
//
// Readers need not take the lock: writers keep the state's sequence odd while they hold it, so a
// reader copies the state and keeps the copy when the sequence stayed the same and even. The wave
// driver reads on every message, where two system calls would cost more than the message.
#include "simcard/record_lock.h"
#include "simcard/state_layout.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace simcard {

class MappedStateFile;

class StateFile {
public:
    explicit StateFile(std::filesystem::path path);
    ~StateFile();
    StateFile(const StateFile&) = delete;
    StateFile& operator=(const StateFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // False once the runtime folder refused the file and the state lives in this process only.
    bool shared() const {
        std::lock_guard guard(mutex_);
        return !memoryState_;
    }

    // Runs fn(CardStateLayout&) while no other process or thread touches the state.
    template <class Fn> decltype(auto) Access(Fn&& fn) {
        std::lock_guard guard(mutex_);
        const auto lock = LockAndCheck();
        const WriteScope writing(*state_);
        return std::forward<Fn>(fn)(*state_);
    }

    // Runs fn(const CardStateLayout&) on a sound copy of the state without its reserved area. The file
    // is checked as Access checks it at least every kRecheckInterval, so a replaced file, or one
    // damaged by a writer that bypassed the lock, is followed that much later. Between checks the
    // copy is taken again only when a writer has changed the state's sequence since.
    template <class Fn> decltype(auto) Read(Fn&& fn) {
        std::lock_guard guard(mutex_);
        if (!CopyWithoutLock()) CopyWithLock();
        return std::forward<Fn>(fn)(static_cast<const CardStateLayout&>(*snapshot_));
    }

    static constexpr std::chrono::milliseconds kRecheckInterval{10};

private:
    // Marks the state as being written for the lifetime of the scope.
    class WriteScope {
    public:
        explicit WriteScope(CardStateLayout& state);
        ~WriteScope();
        WriteScope(const WriteScope&) = delete;
        WriteScope& operator=(const WriteScope&) = delete;

    private:
        CardStateLayout& state_;
    };

    std::unique_ptr<RecordLock> LockAndCheck();
    bool CopyWithoutLock();
    void CopyWithLock();
    bool MappingStillValid() const;
    void MapOrReplace();
    void FallBackToMemory(const std::string& why);

    std::filesystem::path path_;
    mutable std::mutex mutex_; // threads of one process share the lock file's description
    int lockFd_ = -1;
    std::unique_ptr<MappedStateFile> mapping_;
    std::unique_ptr<CardStateLayout> memoryState_; // only when the runtime folder refuses the file
    CardStateLayout* state_ = nullptr;
    std::chrono::steady_clock::time_point checked_; // when the mapping last passed the full check
    std::unique_ptr<CardStateLayout> snapshot_ = std::make_unique<CardStateLayout>();
    std::optional<std::uint32_t> snapshotSequence_; // the mapped state's sequence the copy was taken at
};

// card.state in the runtime folder.
std::filesystem::path CardStatePath();

// This process's one view of the card in the runtime folder, kept open for the life of the process.
StateFile& ProcessCardState();

} // namespace simcard
