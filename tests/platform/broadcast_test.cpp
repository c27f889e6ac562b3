#include "platform/broadcast.h"
#include "platform/broadcast_packet.h"
#include "platform/paths.h"
#include "platform/win_messages.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace std::chrono_literals;
using namespace platform;

namespace {

struct Received {
    win::WPARAM event;
    win::DWORD deviceType;
    win::DWORD devNode;
    friend bool operator==(const Received&, const Received&) = default;
};

class BroadcastTest : public testing::Test {
protected:
    BroadcastListener listener{[this](DeviceChange& change) -> win::LRESULT {
        win::DEV_BROADCAST_DEVNODE node{};
        std::memcpy(&node, change.Record(), std::min<std::size_t>(change.recordSize, sizeof node));
        received.push_back({change.event, node.dbcd_devicetype, node.dbcd_devnode});
        return answer;
    }};
    std::vector<Received> received;
    win::LRESULT answer = win::TRUE;

    // Broadcasts from another thread while this one serves the listener, as the program's UI thread does.
    BroadcastAnswers BroadcastAndServe(const DeviceChange& change) {
        auto sent = std::async(std::launch::async, [change] { return BroadcastDeviceChange(change, 5s); });
        while (sent.wait_for(0ms) != std::future_status::ready) {
            pollfd ready{listener.Descriptor(), POLLIN, 0};
            if (poll(&ready, 1, 10) > 0) listener.HandlePending();
        }
        return sent.get();
    }
};

TEST_F(BroadcastTest, AQueryRemoveReachesTheListenerAndItsAnswerComesBack) {
    ASSERT_GE(listener.Descriptor(), 0);
    answer = 0x424D5144;
    const BroadcastAnswers answers = BroadcastAndServe(DeviceQueryRemove(0x00C1F8E0));
    EXPECT_EQ(answers.listeners, 1);
    EXPECT_EQ(answers.answers, std::vector<win::LRESULT>{0x424D5144});
    EXPECT_EQ(received,
              (std::vector<Received>{{win::DBT_DEVICEQUERYREMOVE, win::DBT_DEVTYP_DEVNODE, 0x00C1F8E0}}));
}

TEST_F(BroadcastTest, AListenerThatDoesNotAnswerIsCountedWithoutAnAnswer) {
    const BroadcastAnswers answers = BroadcastDeviceChange(DeviceQueryRemove(1), 50ms);
    EXPECT_EQ(answers.listeners, 1);
    EXPECT_TRUE(answers.answers.empty());
    listener.HandlePending(); // the late broadcast is still handled, its answer goes nowhere
    EXPECT_EQ(received.size(), 1u);
}

TEST(BroadcastPacket, OnlySoundRecordsDecode) {
    auto decoded = [](auto change) {
        auto packet = broadcast::Encode(DeviceQueryRemove(7));
        change(packet);
        return broadcast::DecodeDeviceChange(&packet, sizeof packet).has_value();
    };
    EXPECT_TRUE(decoded([](auto&) {}));
    EXPECT_TRUE(decoded([](auto& p) {
        p.event = 0x0007; // a device-nodes-changed event carries no record
        p.recordSize = 0;
    }));
    EXPECT_FALSE(decoded([](auto& p) { p.recordSize = 0; })) << "a query-remove without its record";
    EXPECT_FALSE(decoded([](auto& p) { p.recordSize = 200; }));
    EXPECT_FALSE(decoded([](auto& p) { p.record[0] = std::byte{20}; })) << "header size disagrees";
    EXPECT_FALSE(decoded([](auto& p) { p.magic[7] = '9'; }));
    const auto packet = broadcast::Encode(DeviceQueryRemove(7));
    EXPECT_FALSE(broadcast::DecodeDeviceChange(&packet, sizeof packet - 1));
}

TEST(BroadcastWithoutListener, ReachesNoOneAndSocketsOfGoneProgramsAreSwept) {
    const auto gone = broadcast::SocketPath(999999999);
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const auto address = broadcast::SocketAddress(gone);
    ASSERT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address), 0);
    close(fd); // its file stays behind, as after a crash

    EXPECT_EQ(BroadcastDeviceChange(DeviceQueryRemove(1), 1s).listeners, 0);
    {
        BroadcastListener listener([](DeviceChange&) { return win::TRUE; });
        EXPECT_FALSE(std::filesystem::exists(gone));
        EXPECT_TRUE(std::filesystem::exists(broadcast::SocketPath(getpid())));
    }
    EXPECT_FALSE(std::filesystem::exists(broadcast::SocketPath(getpid())));
}

} // namespace
