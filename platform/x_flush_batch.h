#pragma once
// One flush of the X connection for a batch of windows. Qt flushes the connection after each window's
// contents go out, so four windows painting on one meter tick make four writes to the X server, each
// of which wakes it. While a batch is open on a thread, that thread's flushes of the connection wait,
// and the end of the outermost batch flushes once. This library stands in for the X library's flush
// (it comes first in the program's symbol look-up) and passes every flush outside a batch straight on.
namespace platform {

class XFlushBatch {
public:
    XFlushBatch();
    ~XFlushBatch();
    XFlushBatch(const XFlushBatch&) = delete;
    XFlushBatch& operator=(const XFlushBatch&) = delete;
};

} // namespace platform
