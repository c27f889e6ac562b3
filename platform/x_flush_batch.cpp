#include "platform/x_flush_batch.h"

#include <atomic>
#include <dlfcn.h>
#include <utility>

struct xcb_connection_t;

namespace platform {
namespace {

using Flush = int (*)(xcb_connection_t*);

thread_local int openBatches = 0;
thread_local xcb_connection_t* held = nullptr; // flushed while a batch was open

// The X library's own flush: the next definition after this one, or the loaded library's where that
// is not in the global look-up.
Flush XLibraryFlush() {
    static std::atomic<Flush> found{nullptr};
    if (const Flush flush = found.load()) return flush;
    void* next = dlsym(RTLD_NEXT, "xcb_flush");
    if (!next) {
        if (void* library = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_NOLOAD)) {
            next = dlsym(library, "xcb_flush");
            dlclose(library);
        }
    }
    found.store(reinterpret_cast<Flush>(next));
    return found.load();
}

int FlushNow(xcb_connection_t* connection) {
    const Flush flush = XLibraryFlush();
    return flush ? flush(connection) : 0;
}

} // namespace

XFlushBatch::XFlushBatch() { ++openBatches; }

XFlushBatch::~XFlushBatch() {
    if (--openBatches > 0 || !held) return;
    FlushNow(std::exchange(held, nullptr));
}

} // namespace platform

// The X library's flush as the program sees it: > 0 for success, as the library answers.
extern "C" __attribute__((visibility("default"))) int xcb_flush(xcb_connection_t* connection) {
    using namespace platform;
    if (openBatches == 0) return FlushNow(connection);
    if (held && held != connection) FlushNow(held);
    held = connection;
    return 1;
}
