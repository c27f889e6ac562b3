// The admin tool's removal request as the running program receives it.
#include "platform/win_messages.h"
#include "platform/win_records.h"
#include "tests/simcard/fresh_card.h"
#include "tests/simcard/tool_run.h"
#include "toolkit/application.h"
#include "toolkit/broadcast_receiver.h"

#include <QThread>
#include <chrono>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace simcard {
namespace {

using testing::HasSubstr;

struct Seen {
    win::WPARAM event;
    win::DWORD deviceType;
    win::DWORD devNode;
    friend bool operator==(const Seen&, const Seen&) = default;
};

class RemovalRequestTest : public FreshCard {
protected:
    void SetUp() override {
        FreshCard::SetUp();
        application.reset(new tk::TApplication);
        tk::TForm* main = application->CreateForm<tk::TForm>();
        main->BindMessage(win::WM_DEVICECHANGE, [this](tk::TMessage& message) {
            const auto* node = message.RecordAs<win::DEV_BROADCAST_DEVNODE>();
            seen.push_back({message.WParam, node->dbcd_devicetype, node->dbcd_devnode});
            message.Result = answer;
        });
    }

    // Runs the tool while the application handles its messages.
    ToolRun RunWhileHandling(std::vector<std::string> arguments) {
        ToolProcess tool(std::move(arguments));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!tool.Ended() && std::chrono::steady_clock::now() < deadline) {
            application->ProcessMessages();
            QThread::msleep(5);
        }
        return tool.Wait();
    }

    tk::Owned<tk::TApplication> application;
    std::vector<Seen> seen;
    win::LRESULT answer = win::TRUE;
};

TEST_F(RemovalRequestTest, ReachesTheMainFormAsAQueryRemoveOfTheCardsDeviceNode) {
    tk::BroadcastReceiver receiver;
    ASSERT_TRUE(receiver.Listening());
    const std::int32_t devNode = Card([](CardStateLayout& state) { return state.hardware[1].devNode; });

    const ToolRun run = RunWhileHandling({"remove", "2"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("sent to 1 program(s)\n  answer: granted (1)\n"));
    EXPECT_EQ(seen, (std::vector<Seen>{{win::DBT_DEVICEQUERYREMOVE, win::DBT_DEVTYP_DEVNODE,
                                        static_cast<win::DWORD>(devNode)}}));

    answer = 0x424D5144;
    EXPECT_THAT(RunWhileHandling({"remove", "1"}).out, HasSubstr("answer: refused"));
}

} // namespace
} // namespace simcard
