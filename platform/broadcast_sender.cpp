#include "platform/broadcast.h"
#include "platform/broadcast_packet.h"
#include "platform/paths.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {
namespace {

namespace fs = std::filesystem;
using namespace broadcast;

// A datagram socket connected to one listener, with an address of its own for the answer.
class Connection {
public:
    explicit Connection(const fs::path& listener) : fd_(socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
        const auto address = SocketAddress(listener);
        const sockaddr_un own{AF_UNIX, {}};
        // Binding just the family gives the socket a fresh abstract address to be answered at.
        connected_ = fd_ >= 0 && address &&
                     bind(fd_, reinterpret_cast<const sockaddr*>(&own), sizeof own.sun_family) == 0 &&
                     connect(fd_, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0;
    }
    ~Connection() {
        if (fd_ >= 0) close(fd_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // False when no one listens there (a socket left by a program that has gone) or its queue is full.
    bool Send(const DeviceChangePacket& packet) {
        return connected_ && send(fd_, &packet, sizeof packet, MSG_DONTWAIT | MSG_NOSIGNAL) == sizeof packet;
    }

    std::optional<win::LRESULT> Answer(std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd ready{fd_, POLLIN, 0};
            const int polled =
                poll(&ready, 1, static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0)));
            if (polled < 0 && errno == EINTR) continue;
            if (polled <= 0) return std::nullopt;
            AnswerPacket packet;
            const ssize_t received = recv(fd_, &packet, sizeof packet, MSG_DONTWAIT);
            if (received < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (received < 0) return std::nullopt;
            if (auto answer = DecodeAnswer(&packet, static_cast<std::size_t>(received))) return answer;
        }
    }

private:
    int fd_;
    bool connected_ = false;
};

} // namespace

BroadcastAnswers BroadcastDeviceChange(const DeviceChange& change, std::chrono::milliseconds answerTimeout) {
    const DeviceChangePacket packet = Encode(change);
    BroadcastAnswers answers;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(RuntimeDir(), ec)) {
        if (!IsSocketName(item.path())) continue;
        Connection connection(item.path());
        if (!connection.Send(packet)) continue;
        ++answers.listeners;
        if (auto answer = connection.Answer(answerTimeout)) answers.answers.push_back(*answer);
    }
    return answers;
}

} // namespace platform
