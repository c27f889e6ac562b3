#pragma once
// One 16-bit heap in a shared-memory file: a selector table and an arena with one 64 KiB slot per
// selector. A block never moves, so a 16:16 address means the same bytes in every process that maps
// the file, and every access is checked against the exact size of a live block.
#include "platform/win_types.h"

#include <filesystem>
#include <memory>
#include <string>

namespace platform {

struct HeapHeader;
struct SelectorEntry;

class SharedHeap {
public:
    static constexpr win::DWORD MaxBlockSize = 0x10000; // bytes: what one selector can span
    static constexpr win::DWORD SelectorCount = 512;    // live blocks at most

    // Creates the heap file folder/name, after removing the heaps of ended processes there.
    // Null when the file cannot be made.
    static std::unique_ptr<SharedHeap> Create(const std::filesystem::path& folder, const std::string& name);
    // Maps the heap another process created. Null when the file is missing or is not such a heap.
    static std::unique_ptr<SharedHeap> Attach(const std::filesystem::path& file);
    // Removes the heap files in folder whose creating process has ended.
    static void SweepStale(const std::filesystem::path& folder);

    // Unmaps; the creating process also removes the file.
    ~SharedHeap();
    SharedHeap(const SharedHeap&) = delete;
    SharedHeap& operator=(const SharedHeap&) = delete;

    // Zero-filled block of size bytes (1..MaxBlockSize); its 16:16 address, or 0.
    win::DWORD Allocate(win::DWORD size);
    // False when address is not the start of a live block.
    bool Free(win::DWORD address);
    // Flat address of bytes at address, or null unless they lie inside one live block.
    void* Pointer(win::DWORD address, win::DWORD bytes) const;
    void* Fix(win::DWORD address, win::DWORD bytes);
    bool Unfix(win::DWORD address);
    win::DWORD FixCount(win::DWORD address) const;
    win::DWORD LiveBlocks() const;

    const std::filesystem::path& File() const { return file_; }
    // The creator removes its file at exit; the mapping stays valid until the process ends.
    void RemoveFileIfCreator();

private:
    SharedHeap(std::filesystem::path file, int fd, void* mapping, bool creator);
    SelectorEntry* Entry(win::DWORD address) const;
    unsigned char* Slot(const SelectorEntry* entry) const;
    // Caller holds the lock; entry may be null.
    void* Locate(SelectorEntry* entry, win::DWORD address, win::DWORD bytes) const;

    std::filesystem::path file_;
    int fd_;        // open for the mapping's life; the creator's lock on it marks the heap as alive
    void* mapping_; // the whole file
    bool creator_;
    HeapHeader* header_;
    SelectorEntry* table_;
    unsigned char* arena_;
};

} // namespace platform
