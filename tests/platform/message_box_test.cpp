#include "platform/message_box.h"

#include <gtest/gtest.h>
#include <string>

TEST(MessageBox, HandlerSeesTextCaptionAndStyleAndAnswers) {
    std::string seen;
    auto previous = platform::SetMessageBoxHandler(
        [&](win::HWND owner, std::string_view text, std::string_view caption, win::UINT type) {
            seen = std::to_string(owner) + "|" + std::string(text) + "|" + std::string(caption) + "|" +
                   std::to_string(type);
            return 7;
        });
    EXPECT_EQ(win::MessageBoxA(3, "Text\r\nzwei", "Titel", win::MB_ICONHAND), 7);
    platform::SetMessageBoxHandler(previous);
    EXPECT_EQ(seen, "3|Text\r\nzwei|Titel|16");
}
