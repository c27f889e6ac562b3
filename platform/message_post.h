#pragma once
// Posting window messages from platform code (wave driver notifications) through the poster that the
// user interface installs, as it installs the message box handler and the tray host.
#include "platform/win_types.h"

namespace platform {

// Any thread; FALSE when the message was not queued.
using MessagePoster = win::BOOL (*)(win::HWND window, win::UINT message, win::WPARAM wParam,
                                    win::LPARAM lParam);

// Installs poster for every later post (null: none) and returns the one it replaces.
MessagePoster SetMessagePoster(MessagePoster poster);

// FALSE without a poster.
win::BOOL PostWindowMessage(win::HWND window, win::UINT message, win::WPARAM wParam, win::LPARAM lParam);

// Messages posted on one thread while a batch is open (the callbacks of timers that fire together)
// wake their receiver once, when the batch ends, rather than at the first message while the rest are
// still being posted. Batches on one thread nest; the outermost one's end calls the installed hook.
class PostBatch {
public:
    PostBatch();
    ~PostBatch();
    PostBatch(const PostBatch&) = delete;
    PostBatch& operator=(const PostBatch&) = delete;

    // True on a thread inside a batch.
    static bool Open();
};

// Wakes the receivers of the messages held back during a batch; called on the batch's thread.
using PostBatchEnd = void (*)();
// Installs end for every later batch (null: none) and returns the one it replaces.
PostBatchEnd SetPostBatchEnd(PostBatchEnd end);

} // namespace platform
