#include "platform/process_shared_mutex.h"

#include <cerrno>

namespace platform {

bool InitProcessSharedMutex(pthread_mutex_t* mutex) {
    pthread_mutexattr_t attributes;
    if (pthread_mutexattr_init(&attributes) != 0) return false;
    const bool ok = pthread_mutexattr_setpshared(&attributes, PTHREAD_PROCESS_SHARED) == 0 &&
                    pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST) == 0 &&
                    pthread_mutex_init(mutex, &attributes) == 0;
    pthread_mutexattr_destroy(&attributes);
    return ok;
}

ProcessSharedLock::ProcessSharedLock(pthread_mutex_t* mutex) : mutex_(mutex) {
    const int result = pthread_mutex_lock(mutex_);
    // The holder died inside the critical section. Every update the guarded data sees is a single
    // store that leaves it consistent, so the data is usable as it is.
    if (result == EOWNERDEAD) pthread_mutex_consistent(mutex_);
    held_ = result == 0 || result == EOWNERDEAD;
}

ProcessSharedLock::~ProcessSharedLock() {
    if (held_) pthread_mutex_unlock(mutex_);
}

} // namespace platform
