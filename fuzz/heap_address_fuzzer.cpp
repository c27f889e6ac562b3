// 16:16 address resolution against a model of the heap: allocations, frees, fixes and look-ups of
// arbitrary addresses and lengths, some after the selector table was scribbled on as a damaged or
// hostile process sharing the heap could. A look-up gives the block's bytes exactly when they lie in a
// live block, and never anything outside the heap's blocks.
#include "fuzz/private_home.h"
#include "platform/paths.h"
#include "platform/shared_heap.h"
#include "platform/wow16.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <unistd.h>

namespace {

// Where the selector table lies in the heap file, and how big it is: one 8-byte entry per selector.
constexpr off_t TableOffset = 64;
constexpr std::size_t TableBytes = 8 * platform::SharedHeap::SelectorCount;

void Check(bool condition) {
    if (!condition) std::abort();
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool More() const { return at_ < size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint16_t Word16() { return std::uint16_t(Byte() | Byte() << 8); }
    std::uint32_t Word32() { return Word16() | std::uint32_t(Word16()) << 16; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

struct Block {
    win::DWORD size;          // bytes
    unsigned char* flat;      // where the heap put it
};

class HeapModel {
public:
    explicit HeapModel(Input& input) : input_(input) {}
    ~HeapModel() {
        for (const auto& [address, block] : live_) win::WOWGlobalUnlockFree16(address);
    }

    void Step() {
        switch (input_.Byte() % 6) {
        case 0: Allocate(); break;
        case 1: Free(); break;
        case 2: LookUp(); break;
        case 3: FixAndUnfix(); break;
        case 4: LookUpAnywhere(); break;
        default: Scribble(); break;
        }
    }

private:
    void Allocate() {
        const win::DWORD size = input_.Word16() + (input_.Byte() & 1 ? 0 : 1);
        const win::DWORD address = win::WOWGlobalAllocLock16(win::GMEM_ZEROINIT, size, nullptr);
        if (!address) return;
        Check(win::LOWORD(address) == 0 && !live_.count(address));
        auto* flat = static_cast<unsigned char*>(win::WOWGetVDMPointer(address, size, win::TRUE));
        Check(flat != nullptr);
        for (win::DWORD i = 0; i < size; ++i) Check(flat[i] == 0);
        std::memset(flat, 0xA5, size);
        live_[address] = Block{size, flat};
    }

    // The address of a live block, when there is one to choose.
    win::DWORD Chosen() {
        if (live_.empty()) return input_.Word32();
        auto it = live_.begin();
        std::advance(it, input_.Byte() % live_.size());
        return it->first;
    }

    void Free() {
        const win::DWORD address = Chosen() + (input_.Byte() & 1 ? input_.Word16() : 0);
        const bool freed = win::WOWGlobalUnlockFree16(address) == 0;
        if (scribbled_) return;
        Check(freed == (live_.count(address) == 1));
        live_.erase(address);
    }

    void LookUp() { Resolve(Chosen() + input_.Word16(), input_.Word32() % 0x20000); }
    void LookUpAnywhere() { Resolve(input_.Word32(), input_.Word32()); }

    void Resolve(win::DWORD address, win::DWORD bytes) {
        auto* flat = static_cast<unsigned char*>(win::WOWGetVDMPointer(address, bytes, win::TRUE));
        const win::DWORD start = address & 0xFFFF0000;
        const win::DWORD offset = win::LOWORD(address);
        const auto found = live_.find(start);
        if (!scribbled_) {
            const bool inside = found != live_.end() && offset < found->second.size &&
                                std::uint64_t(offset) + bytes <= found->second.size;
            Check((flat != nullptr) == inside);
            if (inside) Check(flat == found->second.flat + offset);
        }
        // Whatever the table says, no block spans more than one selector's 64 KiB.
        if (flat) Check(std::uint64_t(offset) + bytes <= platform::SharedHeap::MaxBlockSize);
        // Touching every byte lets the sanitizer see a pointer that leads outside the heap's mapping.
        if (flat) {
            volatile unsigned char sum = 0;
            for (win::DWORD i = 0; i < bytes; ++i) sum = sum + flat[i];
        }
    }

    void FixAndUnfix() {
        const win::DWORD address = Chosen();
        const win::DWORD bytes = input_.Word16();
        if (win::WOWGetVDMPointerFix(address, bytes, win::TRUE)) win::WOWGetVDMPointerUnfix(address);
    }

    void Scribble() {
        unsigned char bytes[8];
        for (auto& byte : bytes) byte = input_.Byte();
        const off_t at = TableOffset + off_t(input_.Word16() % (TableBytes - sizeof bytes + 1));
        const auto file = platform::RuntimeDir() / platform::CurrentHeapName();
        const int fd = open(file.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0) return;
        Check(pwrite(fd, bytes, sizeof bytes, at) == ssize_t(sizeof bytes));
        close(fd);
        scribbled_ = true;
    }

    Input& input_;
    std::map<win::DWORD, Block> live_;
    bool scribbled_ = false; // the model no longer knows the table
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    UsePrivateHome();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    {
        HeapModel model(input);
        for (int steps = 0; input.More() && steps < 200; ++steps) model.Step();
    }
    // A scribbled table may hold blocks nobody allocated: clear it for the next input.
    const auto file = platform::RuntimeDir() / platform::CurrentHeapName();
    if (const int fd = open(file.c_str(), O_RDWR | O_CLOEXEC); fd >= 0) {
        static const unsigned char zeros[TableBytes] = {};
        Check(pwrite(fd, zeros, sizeof zeros, TableOffset) == ssize_t(sizeof zeros));
        close(fd);
    }
    return 0;
}
