#pragma once
// A zero-filled block of 16-bit shared memory whose 16:16 address goes to the driver and whose flat
// address the program reads and writes. Freed when it goes out of scope, unless abandoned.
#include "platform/win_types.h"

namespace driver {

class TransferBlock {
public:
    explicit TransferBlock(win::DWORD size); // bytes, 1..65536
    ~TransferBlock();
    TransferBlock(const TransferBlock&) = delete;
    TransferBlock& operator=(const TransferBlock&) = delete;

    explicit operator bool() const { return flat_ != nullptr; }
    win::DWORD Address() const { return address_; }
    void* Flat() const { return flat_; }
    // Keeps the block for the rest of the process: for a block another process may still write.
    void Abandon() { address_ = 0; }

private:
    win::DWORD address_; // 16:16; 0 when there is no block to free
    void* flat_;
};

} // namespace driver
