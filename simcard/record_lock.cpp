#include "simcard/record_lock.h"

#include "simcard/report.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>

namespace simcard {
namespace {

bool SetWholeFileLock(int fd, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET; // start 0, length 0: the whole file, however it grows
    int result;
    do {
        result = fcntl(fd, F_OFD_SETLKW, &lock);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

} // namespace

RecordLock::RecordLock(int fd) : fd_(fd) {
    held_ = SetWholeFileLock(fd_, F_WRLCK);
    if (!held_) ReportProblem(std::string("cannot lock the card state: ") + std::strerror(errno));
}

RecordLock::~RecordLock() {
    if (held_) SetWholeFileLock(fd_, F_UNLCK);
}

} // namespace simcard
