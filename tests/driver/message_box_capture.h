#pragma once
// Records every message box shown while it lives instead of showing it.
#include "platform/message_box.h"

#include <string>
#include <vector>

struct CapturedBox {
    win::HWND owner;
    std::string text;
    std::string caption;
    win::UINT type;
};

class MessageBoxCapture {
public:
    MessageBoxCapture()
        : previous_(platform::SetMessageBoxHandler(
              [this](win::HWND owner, std::string_view text, std::string_view caption, win::UINT type) {
                  boxes.push_back({owner, std::string(text), std::string(caption), type});
                  return win::IDOK;
              })) {}
    ~MessageBoxCapture() { platform::SetMessageBoxHandler(previous_); }
    MessageBoxCapture(const MessageBoxCapture&) = delete;
    MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

    std::vector<CapturedBox> boxes;

private:
    platform::MessageBoxHandler previous_;
};
