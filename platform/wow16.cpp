#include "platform/wow16.h"

#include "platform/paths.h"
#include "platform/shared_heap.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <linux/futex.h>
#include <mutex>
#include <sys/syscall.h>
#include <unistd.h>

using win::DWORD;

namespace platform {
namespace {

std::mutex heapMutex;
// Never destroyed: blocks stay readable for code that runs during exit; only the file goes at exit.
SharedHeap* processHeap = nullptr;
bool inheritedHeapTried = false;

void RemoveHeapFileAtExit() {
    std::lock_guard lock(heapMutex);
    if (processHeap) processHeap->RemoveFileIfCreator();
}

std::string InheritedHeapName() {
    const char* name = std::getenv(HeapVariable);
    return name ? std::string(name) : std::string();
}

// Caller holds heapMutex.
SharedHeap* AttachInheritedHeap() {
    if (processHeap || inheritedHeapTried) return processHeap;
    inheritedHeapTried = true;
    const std::string name = InheritedHeapName();
    if (name.empty()) return nullptr;
    if (name.find('/') == std::string::npos) processHeap = SharedHeap::Attach(RuntimeDir() / name).release();
    if (!processHeap) std::fprintf(stderr, "kova2: cannot attach to the 16-bit heap '%s'\n", name.c_str());
    return processHeap;
}

SharedHeap* ExistingHeap() {
    std::lock_guard lock(heapMutex);
    return AttachInheritedHeap();
}

SharedHeap* HeapForAllocation() {
    std::lock_guard lock(heapMutex);
    if (AttachInheritedHeap()) return processHeap;
    processHeap = SharedHeap::Create(RuntimeDir(), "heap-" + std::to_string(getpid())).release();
    if (processHeap) std::atexit(RemoveHeapFileAtExit);
    return processHeap;
}

} // namespace

std::string CurrentHeapName() {
    const SharedHeap* heap = ExistingHeap();
    return heap ? heap->File().filename().string() : std::string();
}

DWORD LiveHeapBlocks() {
    const SharedHeap* heap = ExistingHeap();
    return heap ? heap->LiveBlocks() : 0;
}

DWORD LoadStatusWord(const void* word) {
    return __atomic_load_n(static_cast<const DWORD*>(word), __ATOMIC_ACQUIRE);
}

void StoreStatusWord(void* word, DWORD value) {
    __atomic_store_n(static_cast<DWORD*>(word), value, __ATOMIC_RELEASE);
    syscall(SYS_futex, word, FUTEX_WAKE, INT_MAX, nullptr, nullptr, 0);
}

DWORD AwaitStatusWord(const void* word, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (const DWORD value = LoadStatusWord(word)) return value;
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) return 0;
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
        const timespec wait{seconds.count(), long((left - seconds).count())};
        // Sleeps only while the word is still 0; a store in between makes it return at once.
        syscall(SYS_futex, word, FUTEX_WAIT, 0, &wait, nullptr, 0);
    }
}

} // namespace platform

namespace win {

DWORD WOWGlobalAllocLock16(WORD, DWORD cb, HMEM16* phMem) {
    platform::SharedHeap* heap = platform::HeapForAllocation();
    const DWORD address = heap ? heap->Allocate(cb) : 0;
    if (phMem) *phMem = HIWORD(address);
    return address;
}

HMEM16 WOWGlobalUnlockFree16(DWORD vpMem) {
    platform::SharedHeap* heap = platform::ExistingHeap();
    if (heap && heap->Free(vpMem)) return 0;
    return HIWORD(vpMem) ? HIWORD(vpMem) : HMEM16(0xFFFF);
}

LPVOID WOWGetVDMPointer(DWORD vp, DWORD dwBytes, BOOL) {
    const platform::SharedHeap* heap = platform::ExistingHeap();
    return heap ? heap->Pointer(vp, dwBytes) : nullptr;
}

LPVOID WOWGetVDMPointerFix(DWORD vp, DWORD dwBytes, BOOL) {
    platform::SharedHeap* heap = platform::ExistingHeap();
    return heap ? heap->Fix(vp, dwBytes) : nullptr;
}

VOID WOWGetVDMPointerUnfix(DWORD vp) {
    if (platform::SharedHeap* heap = platform::ExistingHeap()) heap->Unfix(vp);
}

} // namespace win
