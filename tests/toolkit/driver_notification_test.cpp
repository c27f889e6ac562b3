#include "toolkit/application.h"
#include "platform/wave_driver.h"

#include <gtest/gtest.h>

using namespace tk;

TEST(DriverNotification, ReachesTheCallbackWindowThroughTheMessageQueue) {
    Owned<TApplication> application(new TApplication);
    TForm* window = application->CreateForm<TForm>();
    win::WPARAM device = 0;
    window->BindMessage(win::MM_WIM_OPEN, [&](TMessage& message) { device = message.WParam; });
    EXPECT_TRUE(win::DriverCallback(window->Handle(), win::CALLBACK_WINDOW, 5, win::MM_WIM_OPEN, 0, 0, 0));
    application->ProcessMessages();
    EXPECT_EQ(device, 5u);
}
