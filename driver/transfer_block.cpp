#include "driver/transfer_block.h"

#include "platform/wow16.h"

namespace driver {

TransferBlock::TransferBlock(win::DWORD size)
    : address_(win::WOWGlobalAllocLock16(win::GMEM_FIXED | win::GMEM_ZEROINIT, size, nullptr)),
      flat_(address_ ? win::WOWGetVDMPointer(address_, size, win::TRUE) : nullptr) {}

TransferBlock::~TransferBlock() {
    if (address_) win::WOWGlobalUnlockFree16(address_);
}

} // namespace driver
