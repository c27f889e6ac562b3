#pragma once
// The control handles open in this process: what the driver keeps per open (its instance data is the
// handle's number, never a pointer, so that a stale or made-up one is recognised) and which handles
// meter their device's level.
#include "simcard/card_devices.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>

namespace simcard {

using HandleNumber = std::uintptr_t; // 1 and up, never reused within a process

class HandleTable {
public:
    HandleNumber Open(const CardDevice& device);
    // False when the number names no open handle.
    bool Close(HandleNumber number);
    std::optional<CardDevice> Device(HandleNumber number) const;

    // False when the number names no open handle.
    bool SetMetering(HandleNumber number, bool on);
    // Handles that meter the device.
    int MeteringHandles(const CardDevice& device) const;

    // Runs read(std::uint64_t& cursor) on the handle's level cursor: where in the live file's peaks
    // the handle's last level read ended. False when the number names no open handle.
    template <class Read> bool WithLevelCursor(HandleNumber number, Read&& read) {
        std::lock_guard guard(mutex_);
        const auto found = handles_.find(number);
        if (found == handles_.end()) return false;
        read(found->second.levelCursor);
        return true;
    }

private:
    struct Handle {
        CardDevice device;
        bool metering = false;
        std::uint64_t levelCursor = 0;
    };

    mutable std::mutex mutex_;
    std::map<HandleNumber, Handle> handles_;
    HandleNumber lastNumber_ = 0;
};

// The one table of this process, shared by the input and output entry points.
HandleTable& ProcessHandles();

} // namespace simcard
