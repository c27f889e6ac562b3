#pragma once
// A mutex that lives in shared memory and guards data used by several processes. It is robust: when
// a holder dies, the next locker takes it over instead of waiting for ever.
#include <pthread.h>

namespace platform {

// Prepares a mutex placed in freshly created shared memory. Returns false when the system refuses.
bool InitProcessSharedMutex(pthread_mutex_t* mutex);

class ProcessSharedLock {
public:
    explicit ProcessSharedLock(pthread_mutex_t* mutex);
    ~ProcessSharedLock();
    ProcessSharedLock(const ProcessSharedLock&) = delete;
    ProcessSharedLock& operator=(const ProcessSharedLock&) = delete;

    // False when the mutex could not be taken (a damaged mutex); the guarded data must not be touched.
    bool Held() const { return held_; }

private:
    pthread_mutex_t* mutex_;
    bool held_ = false;
};

} // namespace platform
