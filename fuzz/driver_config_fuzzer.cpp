// The driver's DriverConfig entry point as the rundll host calls it, with arguments that are arbitrary
// text or well-formed lines naming 16:16 addresses near and inside live blocks of every size a
// command needs and of sizes no command fits. The entry refuses what it cannot use; it never reaches
// outside a block.
#include "fuzz/private_home.h"
#include "platform/wow16.h"
#include "simcard/driver_config.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr std::array<const char*, 6> Commands = {"getstates", "reconfigurable", "getconfig", "setconfig",
                                                 "setconfig_onthefly", "getstate"};
constexpr std::array<win::DWORD, 8> BlockSizes = {4, 20, 688, 48, 3, 1, 687, 0x10000}; // bytes

std::vector<win::DWORD> blocks; // 16:16 addresses, alive for the whole run

// Reads the input front to back; past its end every read gives zero.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint32_t Word32() { return Byte() | Byte() << 8 | Byte() << 16 | std::uint32_t(Byte()) << 24; }
    std::string Rest() { return std::string(reinterpret_cast<const char*>(data_ + at_), size_ - std::min(at_, size_)); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A live block's address moved by a small offset, or any 32-bit value.
win::DWORD Address(Input& input) {
    const std::uint8_t choice = input.Byte();
    if (choice >= 0xF0) return input.Word32();
    const win::DWORD offset = choice & 0x80 ? input.Byte() | input.Byte() << 8 : 0;
    return blocks[choice % blocks.size()] + offset;
}

std::string Tagged(char tag, win::DWORD address) {
    char text[16];
    std::snprintf(text, sizeof text, "%c%08X", tag, unsigned(address));
    return text;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    UsePrivateHome();
    for (const win::DWORD size : BlockSizes) blocks.push_back(win::WOWGlobalAllocLock16(win::GMEM_ZEROINIT, size, nullptr));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    std::string arguments;
    if (input.Byte() & 1) {
        arguments = input.Rest();
    } else {
        const char* command = Commands[input.Byte() % Commands.size()];
        const win::DWORD dataBlock = Address(input);
        const win::DWORD statusBlock = Address(input);
        arguments = std::string(command) + " " + Tagged('$', dataBlock) + " " + Tagged('#', statusBlock);
    }
    DriverConfig(0, 0, arguments.data(), 10);
    return 0;
}
