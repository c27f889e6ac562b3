#include "platform/message_post.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<MessagePoster> currentPoster{nullptr};

} // namespace

MessagePoster SetMessagePoster(MessagePoster poster) {
    return currentPoster.exchange(poster);
}

win::BOOL PostWindowMessage(win::HWND window, win::UINT message, win::WPARAM wParam, win::LPARAM lParam) {
    const MessagePoster poster = currentPoster.load();
    return poster ? poster(window, message, wParam, lParam) : win::FALSE;
}

} // namespace platform
