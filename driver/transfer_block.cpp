#include "driver/transfer_block.h"

#include "platform/wow16.h"

namespace driver {
namespace {

void* Map(win::DWORD address, win::DWORD size, BlockMapping mapping) {
    if (!address) return nullptr;
    return mapping == BlockMapping::Fixed ? win::WOWGetVDMPointerFix(address, size, win::TRUE)
                                          : win::WOWGetVDMPointer(address, size, win::TRUE);
}

} // namespace

TransferBlock::TransferBlock(win::DWORD size, BlockMapping mapping)
    : address_(win::WOWGlobalAllocLock16(win::GMEM_FIXED | win::GMEM_ZEROINIT, size, nullptr)),
      mapping_(mapping), flat_(Map(address_, size, mapping)) {}

TransferBlock::~TransferBlock() {
    if (!address_) return;
    if (mapping_ == BlockMapping::Fixed && flat_) win::WOWGetVDMPointerUnfix(address_);
    win::WOWGlobalUnlockFree16(address_);
}

} // namespace driver
