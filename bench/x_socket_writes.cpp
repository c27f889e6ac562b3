#include "bench/x_socket_writes.h"

#include <array>
#include <atomic>
#include <cstring>
#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <sys/un.h>

namespace {

std::atomic<long> writes{0};

// Per descriptor: 0 not looked at, 1 the X server's socket, 2 anything else. Descriptors are reused,
// but the X connection stays open for the whole run.
std::array<std::atomic<char>, 1024> kinds{};

bool IsXSocket(int fd) {
    if (fd < 0 || std::size_t(fd) >= kinds.size()) return false;
    char kind = kinds[std::size_t(fd)].load(std::memory_order_relaxed);
    if (kind == 0) {
        sockaddr_un peer{};
        socklen_t size = sizeof peer;
        const bool named = getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) == 0 &&
                           peer.sun_family == AF_UNIX && size > sizeof(sa_family_t);
        // Abstract names start with a zero byte.
        const char* path = peer.sun_path[0] ? peer.sun_path : peer.sun_path + 1;
        kind = named && std::strstr(path, ".X11-unix/") ? 1 : 2;
        kinds[std::size_t(fd)].store(kind, std::memory_order_relaxed);
    }
    return kind == 1;
}

template <class Function> Function Next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

long XSocketWrites() { return writes.load(); }

extern "C" ssize_t writev(int fd, const iovec* vectors, int count) {
    static const auto next = Next<ssize_t (*)(int, const iovec*, int)>("writev");
    if (IsXSocket(fd)) ++writes;
    return next(fd, vectors, count);
}

extern "C" ssize_t sendmsg(int fd, const msghdr* message, int flags) {
    static const auto next = Next<ssize_t (*)(int, const msghdr*, int)>("sendmsg");
    if (IsXSocket(fd)) ++writes;
    return next(fd, message, flags);
}
