#include "platform/broadcast.h"
#include "platform/broadcast_packet.h"
#include "platform/paths.h"
#include "platform/scope_exit.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

namespace fs = std::filesystem;
using namespace broadcast;

// A socket file that refuses a connection was left by a program that has gone.
bool NoOneListensAt(const fs::path& path) {
    const auto address = SocketAddress(path);
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || !address) {
        if (fd >= 0) close(fd);
        return false;
    }
    const bool refused = connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 &&
                         errno == ECONNREFUSED;
    close(fd);
    return refused;
}

void SweepGoneListeners() {
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(RuntimeDir(), ec)) {
        if (IsSocketName(item.path()) && NoOneListensAt(item.path())) unlink(item.path().c_str());
    }
}

int Listen(const fs::path& path) {
    const auto address = SocketAddress(path);
    if (!address) {
        std::fprintf(stderr, "kova2: the broadcast socket path %s is too long\n", path.c_str());
        return -1;
    }
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    unlink(path.c_str()); // an earlier process of the same number left it
    if (fd < 0 || bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
        std::fprintf(stderr, "kova2: cannot listen for system broadcasts at %s: %s\n", path.c_str(),
                     std::strerror(errno));
        if (fd >= 0) close(fd);
        return -1;
    }
    chmod(path.c_str(), 0600);
    return fd;
}

} // namespace

BroadcastListener::BroadcastListener(Handler handler) : handler_(std::move(handler)) {
    SweepGoneListeners();
    fd_ = Listen(SocketPath(getpid()));
}

BroadcastListener::~BroadcastListener() {
    if (fd_ < 0) return;
    close(fd_);
    unlink(SocketPath(getpid()).c_str());
}

void BroadcastListener::HandlePending() {
    if (fd_ < 0 || handling_) return;
    handling_ = true;
    const ScopeExit done{[this] { handling_ = false; }};
    for (;;) {
        DeviceChangePacket packet;
        sockaddr_un sender{};
        socklen_t senderSize = sizeof sender;
        const ssize_t received = recvfrom(fd_, &packet, sizeof packet, MSG_TRUNC,
                                          reinterpret_cast<sockaddr*>(&sender), &senderSize);
        if (received < 0 && errno == EINTR) continue;
        if (received < 0) break;
        auto change = DecodeDeviceChange(&packet, static_cast<std::size_t>(received));
        if (!change) continue;
        const AnswerPacket answer = EncodeAnswer(handler_(*change));
        sendto(fd_, &answer, sizeof answer, MSG_DONTWAIT | MSG_NOSIGNAL,
               reinterpret_cast<const sockaddr*>(&sender), senderSize);
    }
}

} // namespace platform
