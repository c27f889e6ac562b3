#pragma once
// 16-bit global memory shared between the program and the driver's rundll host. One heap per program
// process; a child process started by the shell stand-in inherits its name and sees the same blocks
// under the same 16:16 addresses.
#include "platform/win_types.h"

#include <chrono>
#include <string>

namespace win {

constexpr WORD GMEM_FIXED = 0x0000;
constexpr WORD GMEM_MOVEABLE = 0x0002;
constexpr WORD GMEM_ZEROINIT = 0x0040;

// Returns the block's 16:16 address, or 0 when no block can be had. phMem may be null.
DWORD WOWGlobalAllocLock16(WORD wFlags, DWORD cb, HMEM16* phMem);
// Returns 0 on success, the block's handle when it could not be freed.
HMEM16 WOWGlobalUnlockFree16(DWORD vpMem);
// Flat address of dwBytes at vp, or null when vp and dwBytes do not lie inside one live block.
LPVOID WOWGetVDMPointer(DWORD vp, DWORD dwBytes, BOOL fProtectedMode);
LPVOID WOWGetVDMPointerFix(DWORD vp, DWORD dwBytes, BOOL fProtectedMode);
VOID WOWGetVDMPointerUnfix(DWORD vp);

} // namespace win

namespace platform {

// Names the heap that a started child attaches to (a file name in RuntimeDir()).
constexpr const char* HeapVariable = "KOVA2_HEAP";

// The file name of this process's heap (created or attached), or empty when it has none yet.
std::string CurrentHeapName();
// Live blocks in this process's heap: 0 when it has none.
win::DWORD LiveHeapBlocks();

// The status word that a configuration call waits on: written last by the driver (release) and read
// by the program (acquire), so the data block is complete once the word is nonzero. word must be
// 4-byte aligned, as block starts are. A store wakes the waits on the word in every process that maps
// the heap.
win::DWORD LoadStatusWord(const void* word);
void StoreStatusWord(void* word, win::DWORD value);
// Waits until the word is nonzero, at most timeout; returns the word.
win::DWORD AwaitStatusWord(const void* word, std::chrono::milliseconds timeout);

} // namespace platform
