// The X connection's flush as the program links it: passed on to the X library outside a batch, held
// inside one. A connection that failed stands in for a live one: the library answers its flush with 0
// at once.
#include "platform/x_flush_batch.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

struct xcb_connection_t;
extern "C" int xcb_flush(xcb_connection_t* connection);

namespace {

// A connection that failed: the X library makes one for a display name it cannot read. Null without
// the library.
xcb_connection_t* FailedConnection() {
    void* library = dlopen("libxcb.so.1", RTLD_LAZY);
    if (!library) return nullptr;
    using Connect = xcb_connection_t* (*)(const char*, int*);
    const auto connect = reinterpret_cast<Connect>(dlsym(library, "xcb_connect"));
    return connect ? connect("no display", nullptr) : nullptr;
}

TEST(XFlushBatch, FlushesOutsideABatchReachTheXLibraryAndThoseInsideWaitForItsEnd) {
    xcb_connection_t* connection = FailedConnection();
    if (!connection) GTEST_SKIP() << "no X library";
    EXPECT_EQ(xcb_flush(connection), 0) << "the library's answer for a failed connection";
    {
        const platform::XFlushBatch outer;
        {
            const platform::XFlushBatch inner;
            EXPECT_EQ(xcb_flush(connection), 1) << "held";
        }
        EXPECT_EQ(xcb_flush(connection), 1) << "held until the outermost batch ends";
    }
    EXPECT_EQ(xcb_flush(connection), 0);
}

} // namespace
