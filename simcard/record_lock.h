#pragma once
// An exclusive fcntl record lock on a whole file, owned by the open file description: it dies with the
// process that holds it, and two descriptions of the same file exclude each other even inside one process.

namespace simcard {

class RecordLock {
public:
    // Blocks until the lock is held, or until locking is found impossible (reported, then not held).
    explicit RecordLock(int fd);
    ~RecordLock();
    RecordLock(const RecordLock&) = delete;
    RecordLock& operator=(const RecordLock&) = delete;

    bool held() const { return held_; }

private:
    int fd_;
    bool held_ = false;
};

} // namespace simcard
