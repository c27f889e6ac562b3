#include "platform/message_post.h"

#include "platform/installed_hook.h"

namespace platform {
namespace {

InstalledHook<MessagePoster> poster;

} // namespace

MessagePoster SetMessagePoster(MessagePoster installed) { return poster.Install(installed); }

win::BOOL PostWindowMessage(win::HWND window, win::UINT message, win::WPARAM wParam, win::LPARAM lParam) {
    const MessagePoster current = poster.Get();
    return current ? current(window, message, wParam, lParam) : win::FALSE;
}

} // namespace platform
