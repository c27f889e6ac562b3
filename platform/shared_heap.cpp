#include "platform/shared_heap.h"

#include "platform/process_shared_mutex.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using win::DWORD;

namespace platform {

struct HeapHeader {
    std::uint32_t magic;
    std::uint32_t version;
    std::uint32_t selectorCount;
    std::uint32_t nextIndex; // where the search for a free selector starts; round robin delays reuse
    pthread_mutex_t mutex;
};

struct SelectorEntry {
    std::uint32_t size;     // bytes of the live block, 1..MaxBlockSize; 0 = free
    std::uint32_t fixCount; // Fix calls not yet undone by Unfix
};

namespace {

constexpr std::uint32_t Magic = 0x3148564B; // "KVH1"
constexpr std::uint32_t Version = 1;
constexpr std::size_t PageSize = 4096;
// Selectors look like protected-mode LDT selectors: table index, local-table bit, privilege 3.
constexpr DWORD FirstSelectorIndex = 0x20;
constexpr DWORD SelectorLowBits = 0x7;
constexpr const char* FilePrefix = "heap-";
constexpr const char* UnfinishedSuffix = ".new";

constexpr std::size_t RoundUp(std::size_t value, std::size_t unit) {
    return (value + unit - 1) / unit * unit;
}
constexpr std::size_t TableOffset = RoundUp(sizeof(HeapHeader), 64);
constexpr std::size_t ArenaOffset =
    RoundUp(TableOffset + sizeof(SelectorEntry) * SharedHeap::SelectorCount, PageSize);
constexpr std::size_t FileSize =
    ArenaOffset + std::size_t(SharedHeap::MaxBlockSize) * SharedHeap::SelectorCount;

win::WORD SelectorOf(DWORD index) {
    return win::WORD(((index + FirstSelectorIndex) << 3) | SelectorLowBits);
}

// Locks one byte of the file with an open-file-description lock: it stays as long as the creator
// keeps its descriptor, and dies with the creator, so a lockable heap file belongs to no one.
bool TryLockFile(int fd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 1;
    return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

bool ProcessHasEnded(pid_t pid) {
    return pid > 0 && kill(pid, 0) != 0 && errno == ESRCH;
}

pid_t PidInName(const std::string& name) {
    std::size_t position = std::strlen(FilePrefix);
    pid_t pid = 0;
    while (position < name.size() && name[position] >= '0' && name[position] <= '9' && pid < 100000000)
        pid = pid * 10 + (name[position++] - '0');
    return pid;
}

bool IsStale(const fs::path& file) {
    const std::string name = file.filename().string();
    if (name.ends_with(UnfinishedSuffix)) return ProcessHasEnded(PidInName(name));
    const int fd = open(file.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    const bool stale = TryLockFile(fd);
    close(fd);
    return stale;
}

void* MapFile(int fd) {
    void* mapping = mmap(nullptr, FileSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    return mapping == MAP_FAILED ? nullptr : mapping;
}

bool InitHeader(HeapHeader* header) {
    header->version = Version;
    header->selectorCount = SharedHeap::SelectorCount;
    header->nextIndex = 0;
    if (!InitProcessSharedMutex(&header->mutex)) return false;
    header->magic = Magic;
    return true;
}

} // namespace

SharedHeap::SharedHeap(fs::path file, int fd, void* mapping, bool creator)
    : file_(std::move(file)), fd_(fd), mapping_(mapping), creator_(creator),
      header_(static_cast<HeapHeader*>(mapping)),
      table_(reinterpret_cast<SelectorEntry*>(static_cast<unsigned char*>(mapping) + TableOffset)),
      arena_(static_cast<unsigned char*>(mapping) + ArenaOffset) {}

SharedHeap::~SharedHeap() {
    RemoveFileIfCreator();
    munmap(mapping_, FileSize);
    close(fd_);
}

std::unique_ptr<SharedHeap> SharedHeap::Create(const fs::path& folder, const std::string& name) {
    SweepStale(folder);
    // Built under a temporary name and renamed when complete, so that no one attaches to half a heap.
    const fs::path unfinished = folder / (name + UnfinishedSuffix);
    const int fd = open(unfinished.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return nullptr;
    void* mapping = nullptr;
    if (TryLockFile(fd) && ftruncate(fd, off_t(FileSize)) == 0) mapping = MapFile(fd);
    if (mapping && InitHeader(static_cast<HeapHeader*>(mapping)) &&
        rename(unfinished.c_str(), (folder / name).c_str()) == 0)
        return std::unique_ptr<SharedHeap>(new SharedHeap(folder / name, fd, mapping, true));
    if (mapping) munmap(mapping, FileSize);
    unlink(unfinished.c_str());
    close(fd);
    return nullptr;
}

std::unique_ptr<SharedHeap> SharedHeap::Attach(const fs::path& file) {
    const int fd = open(file.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return nullptr;
    struct stat info {};
    void* mapping = nullptr;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && std::size_t(info.st_size) == FileSize)
        mapping = MapFile(fd);
    const auto* header = static_cast<const HeapHeader*>(mapping);
    if (header && header->magic == Magic && header->version == Version &&
        header->selectorCount == SelectorCount)
        return std::unique_ptr<SharedHeap>(new SharedHeap(file, fd, mapping, false));
    if (mapping) munmap(mapping, FileSize);
    close(fd);
    return nullptr;
}

void SharedHeap::SweepStale(const fs::path& folder) {
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(folder, ec)) {
        if (!item.path().filename().string().starts_with(FilePrefix)) continue;
        if (IsStale(item.path())) unlink(item.path().c_str());
    }
}

void SharedHeap::RemoveFileIfCreator() {
    if (creator_ && !file_.empty()) {
        unlink(file_.c_str());
        file_.clear();
    }
}

SelectorEntry* SharedHeap::Entry(DWORD address) const {
    const DWORD selector = win::HIWORD(address);
    if ((selector & SelectorLowBits) != SelectorLowBits) return nullptr;
    const DWORD tableIndex = selector >> 3;
    if (tableIndex < FirstSelectorIndex || tableIndex - FirstSelectorIndex >= SelectorCount) return nullptr;
    SelectorEntry* entry = &table_[tableIndex - FirstSelectorIndex];
    // Every process that maps the heap writes the table: a size no block can have is a damaged entry,
    // and trusting it would lead past the block's slot, or past the end of the mapping.
    return entry->size && entry->size <= MaxBlockSize ? entry : nullptr;
}

unsigned char* SharedHeap::Slot(const SelectorEntry* entry) const {
    return arena_ + std::size_t(entry - table_) * MaxBlockSize;
}

DWORD SharedHeap::Allocate(DWORD size) {
    if (size == 0 || size > MaxBlockSize) return 0;
    ProcessSharedLock lock(&header_->mutex);
    if (!lock.Held()) return 0;
    for (DWORD step = 0; step < SelectorCount; ++step) {
        const DWORD index = (header_->nextIndex + step) % SelectorCount;
        SelectorEntry& entry = table_[index];
        if (entry.size) continue;
        std::memset(Slot(&entry), 0, size);
        entry.fixCount = 0;
        entry.size = size; // last: a holder dying before this leaves the selector free
        header_->nextIndex = (index + 1) % SelectorCount;
        return win::MAKELONG(0, SelectorOf(index));
    }
    return 0;
}

bool SharedHeap::Free(DWORD address) {
    ProcessSharedLock lock(&header_->mutex);
    SelectorEntry* entry = lock.Held() ? Entry(address) : nullptr;
    if (!entry || win::LOWORD(address) != 0) return false;
    entry->size = 0;
    return true;
}

void* SharedHeap::Locate(SelectorEntry* entry, DWORD address, DWORD bytes) const {
    const DWORD offset = win::LOWORD(address);
    if (!entry || offset >= entry->size || std::uint64_t(offset) + bytes > entry->size) return nullptr;
    return Slot(entry) + offset;
}

void* SharedHeap::Pointer(DWORD address, DWORD bytes) const {
    ProcessSharedLock lock(&header_->mutex);
    return lock.Held() ? Locate(Entry(address), address, bytes) : nullptr;
}

void* SharedHeap::Fix(DWORD address, DWORD bytes) {
    ProcessSharedLock lock(&header_->mutex);
    SelectorEntry* entry = lock.Held() ? Entry(address) : nullptr;
    void* pointer = Locate(entry, address, bytes);
    if (pointer) ++entry->fixCount;
    return pointer;
}

bool SharedHeap::Unfix(DWORD address) {
    ProcessSharedLock lock(&header_->mutex);
    SelectorEntry* entry = lock.Held() ? Entry(address) : nullptr;
    if (!entry || entry->fixCount == 0) return false;
    --entry->fixCount;
    return true;
}

DWORD SharedHeap::FixCount(DWORD address) const {
    ProcessSharedLock lock(&header_->mutex);
    const SelectorEntry* entry = lock.Held() ? Entry(address) : nullptr;
    return entry ? entry->fixCount : 0;
}

DWORD SharedHeap::LiveBlocks() const {
    ProcessSharedLock lock(&header_->mutex);
    DWORD live = 0;
    for (DWORD index = 0; lock.Held() && index < SelectorCount; ++index)
        live += table_[index].size ? 1 : 0;
    return live;
}

} // namespace platform
