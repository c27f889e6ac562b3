#include "platform/broadcast_packet.h"

#include "platform/paths.h"
#include "platform/win_messages.h"

#include <cstring>
#include <string>
#include <sys/socket.h>

namespace platform {

DeviceChange DeviceQueryRemove(win::DWORD devNode) {
    const win::DEV_BROADCAST_DEVNODE node{sizeof node, win::DBT_DEVTYP_DEVNODE, 0, devNode};
    DeviceChange change;
    change.event = win::DBT_DEVICEQUERYREMOVE;
    change.recordSize = sizeof node;
    std::memcpy(change.record.data(), &node, sizeof node);
    return change;
}

namespace broadcast {
namespace {

constexpr win::WPARAM kDeviceEventBit = 0x8000; // arrival, query-remove, removal and the like
constexpr const char* kSocketPrefix = "broadcast-";
constexpr const char* kSocketSuffix = ".sock";

bool RecordFits(const DeviceChange& change) {
    if (change.recordSize == 0) return !(change.event & kDeviceEventBit);
    if (change.recordSize < sizeof(win::DEV_BROADCAST_HDR) || change.recordSize > kMaxDeviceRecord)
        return false;
    win::DEV_BROADCAST_HDR header;
    std::memcpy(&header, change.record.data(), sizeof header);
    if (header.dbch_size != change.recordSize) return false;
    return header.dbch_devicetype != win::DBT_DEVTYP_DEVNODE ||
           change.recordSize >= sizeof(win::DEV_BROADCAST_DEVNODE);
}

} // namespace

DeviceChangePacket Encode(const DeviceChange& change) {
    return {kDeviceChangeMagic, change.event, change.recordSize, change.record};
}

std::optional<DeviceChange> DecodeDeviceChange(const void* bytes, std::size_t size) {
    DeviceChangePacket packet;
    if (size != sizeof packet) return std::nullopt;
    std::memcpy(&packet, bytes, sizeof packet);
    if (packet.magic != kDeviceChangeMagic || packet.recordSize > kMaxDeviceRecord) return std::nullopt;
    DeviceChange change;
    change.event = packet.event;
    change.recordSize = packet.recordSize;
    std::memcpy(change.record.data(), packet.record.data(), packet.recordSize);
    if (!RecordFits(change)) return std::nullopt;
    return change;
}

AnswerPacket EncodeAnswer(win::LRESULT result) {
    return {kAnswerMagic, result};
}

std::optional<win::LRESULT> DecodeAnswer(const void* bytes, std::size_t size) {
    AnswerPacket packet;
    if (size != sizeof packet) return std::nullopt;
    std::memcpy(&packet, bytes, sizeof packet);
    if (packet.magic != kAnswerMagic) return std::nullopt;
    return packet.result;
}

std::filesystem::path SocketPath(long pid) {
    return RuntimeDir() / (kSocketPrefix + std::to_string(pid) + kSocketSuffix);
}

bool IsSocketName(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    return name.starts_with(kSocketPrefix) && name.ends_with(kSocketSuffix);
}

std::optional<sockaddr_un> SocketAddress(const std::filesystem::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string text = path.string();
    if (text.size() >= sizeof address.sun_path) return std::nullopt;
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return address;
}

} // namespace broadcast
} // namespace platform
