#pragma once
// The datagrams of the user's broadcasts and where their sockets live. Internal to platform.
#include "platform/broadcast.h"

#include <filesystem>
#include <optional>
#include <sys/un.h>

namespace platform::broadcast {

constexpr std::array<char, 8> kDeviceChangeMagic = {'K', 'O', 'V', 'A', '2', 'D', 'C', '1'};
constexpr std::array<char, 8> kAnswerMagic = {'K', 'O', 'V', 'A', '2', 'A', 'N', '1'};

struct DeviceChangePacket {
    std::array<char, 8> magic;
    win::WPARAM event;
    win::DWORD recordSize; // bytes, 0..kMaxDeviceRecord
    std::array<std::byte, kMaxDeviceRecord> record;
};

struct AnswerPacket {
    std::array<char, 8> magic;
    win::LRESULT result;
};

DeviceChangePacket Encode(const DeviceChange& change);
// Nothing unless the bytes are a whole packet whose record is sound for its event: device events
// carry a record, and a record's header gives its own size and, for a device node, room for it.
std::optional<DeviceChange> DecodeDeviceChange(const void* bytes, std::size_t size);

AnswerPacket EncodeAnswer(win::LRESULT result);
std::optional<win::LRESULT> DecodeAnswer(const void* bytes, std::size_t size);

std::filesystem::path SocketPath(long pid);
bool IsSocketName(const std::filesystem::path& path);
// Nothing when the path does not fit a socket address.
std::optional<sockaddr_un> SocketAddress(const std::filesystem::path& path);

} // namespace platform::broadcast
