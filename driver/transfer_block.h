#pragma once
// A zero-filled block of 16-bit shared memory whose 16:16 address goes to the driver and whose flat
// address the program reads and writes. Freed when it goes out of scope, unless abandoned.
#include "platform/win_types.h"

namespace driver {

// Fixed: the flat address is fixed for the block's life (and unfixed before it is freed), for blocks
// that the driver may write while the program holds the pointer.
enum class BlockMapping { Plain, Fixed };

class TransferBlock {
public:
    explicit TransferBlock(win::DWORD size,
                           BlockMapping mapping = BlockMapping::Plain); // size: bytes, 1..65536
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
    BlockMapping mapping_;
    void* flat_;
};

} // namespace driver
