#pragma once
// Blocks of this process's 16-bit heap and DriverConfig calls made with them, as the rundll host makes
// them on behalf of the program.
#include "platform/wow16.h"
#include "simcard/driver_config.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace simcard {

class HeapBlock {
public:
    explicit HeapBlock(win::DWORD size) // bytes
        : address_(win::WOWGlobalAllocLock16(win::GMEM_ZEROINIT, size, nullptr)),
          flat_(static_cast<std::byte*>(win::WOWGetVDMPointer(address_, size, win::TRUE))) {}
    ~HeapBlock() { win::WOWGlobalUnlockFree16(address_); }
    HeapBlock(const HeapBlock&) = delete;
    HeapBlock& operator=(const HeapBlock&) = delete;

    win::DWORD address() const { return address_; }
    std::byte* flat() const { return flat_; }
    win::DWORD status() const { return platform::LoadStatusWord(flat_); }

private:
    win::DWORD address_; // 16:16
    std::byte* flat_;
};

inline std::string ConfigArgumentString(std::string_view command, win::DWORD data, win::DWORD status) {
    char addresses[32];
    std::snprintf(addresses, sizeof addresses, " $%08X #%08X", static_cast<unsigned>(data),
                  static_cast<unsigned>(status));
    return std::string(command) + addresses;
}

struct ConfigCallResult {
    win::DWORD status;
    std::vector<std::byte> record; // the data block after the call
};

inline ConfigCallResult CallDriverConfig(std::string_view command, std::vector<std::byte> record) {
    HeapBlock status(4);
    HeapBlock data(static_cast<win::DWORD>(record.size()));
    std::memcpy(data.flat(), record.data(), record.size());
    std::string arguments = ConfigArgumentString(command, data.address(), status.address());
    DriverConfig(0, 0, arguments.data(), 10);
    std::memcpy(record.data(), data.flat(), record.size());
    return {status.status(), record};
}

} // namespace simcard
