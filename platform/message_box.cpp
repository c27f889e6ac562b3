#include "platform/message_box.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace platform {
namespace {

std::mutex handlerMutex;
MessageBoxHandler& CurrentHandler() {
    static MessageBoxHandler handler;
    return handler;
}

} // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard lock(handlerMutex);
    std::swap(CurrentHandler(), handler);
    return handler;
}

} // namespace platform

namespace win {

INT MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    platform::MessageBoxHandler handler;
    {
        std::lock_guard lock(platform::handlerMutex);
        handler = platform::CurrentHandler();
    }
    const std::string_view text = lpText ? lpText : "";
    const std::string_view caption = lpCaption ? lpCaption : "Error";
    if (handler) return handler(hWnd, text, caption, uType);
    std::fprintf(stderr, "[%.*s] %.*s\n", int(caption.size()), caption.data(), int(text.size()), text.data());
    return IDOK;
}

} // namespace win
