#pragma once
// System broadcasts between the user's processes, as the system sends WM_DEVICECHANGE to every
// top-level window: each listening program owns a Unix datagram socket in the runtime folder
// (broadcast-<pid>.sock); a sender delivers the event to every one of them and collects each
// program's answer.
#include "platform/win_records.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <functional>
#include <vector>

namespace platform {

constexpr std::size_t kMaxDeviceRecord = 64; // bytes

// A WM_DEVICECHANGE: wParam and the record that lParam points at.
struct DeviceChange {
    win::WPARAM event = 0;     // DBT_DEVICEQUERYREMOVE, DBT_DEVICEARRIVAL, …
    win::DWORD recordSize = 0; // bytes of the record, a DEV_BROADCAST_HDR first; 0 when there is none
    alignas(win::DWORD) std::array<std::byte, kMaxDeviceRecord> record{}; // zero past recordSize

    // What lParam points at: the record, or null when the event carries none.
    void* Record() { return recordSize ? record.data() : nullptr; }
};

// A card's query-remove: DBT_DEVICEQUERYREMOVE with a DEV_BROADCAST_DEVNODE.
DeviceChange DeviceQueryRemove(win::DWORD devNode);

struct BroadcastAnswers {
    int listeners = 0;                 // programs that received the broadcast
    std::vector<win::LRESULT> answers; // from those that answered within the timeout, in no order
};

// Sends to every listening program of the user, one after another, waiting up to answerTimeout for
// each answer.
BroadcastAnswers BroadcastDeviceChange(const DeviceChange& change, std::chrono::milliseconds answerTimeout);

// Receives broadcasts for this process. The owner watches Descriptor() and calls HandlePending() when
// it is readable; the handler's result is the answer sent back.
class BroadcastListener {
public:
    using Handler = std::function<win::LRESULT(DeviceChange& change)>;

    // Sweeps the sockets of programs that have gone. Says on stderr when the socket cannot be set up.
    explicit BroadcastListener(Handler handler);
    ~BroadcastListener();
    BroadcastListener(const BroadcastListener&) = delete;
    BroadcastListener& operator=(const BroadcastListener&) = delete;

    // -1 when not listening.
    int Descriptor() const { return fd_; }
    // Handles every broadcast waiting on the socket; ignores malformed ones and a call from inside the
    // handler, which leaves the rest for the next call.
    void HandlePending();

private:
    Handler handler_;
    int fd_ = -1;
    bool handling_ = false;
};

} // namespace platform
