#include "platform/message_post.h"

#include "platform/installed_hook.h"

namespace platform {
namespace {

InstalledHook<MessagePoster> poster;
InstalledHook<PostBatchEnd> batchEnd;
thread_local int openBatches = 0;

} // namespace

MessagePoster SetMessagePoster(MessagePoster installed) { return poster.Install(installed); }

PostBatch::PostBatch() { ++openBatches; }

PostBatch::~PostBatch() {
    if (--openBatches > 0) return;
    if (const PostBatchEnd end = batchEnd.Get()) end();
}

bool PostBatch::Open() { return openBatches > 0; }

PostBatchEnd SetPostBatchEnd(PostBatchEnd end) { return batchEnd.Install(end); }

win::BOOL PostWindowMessage(win::HWND window, win::UINT message, win::WPARAM wParam, win::LPARAM lParam) {
    const MessagePoster current = poster.Get();
    return current ? current(window, message, wParam, lParam) : win::FALSE;
}

} // namespace platform
