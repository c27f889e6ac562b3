// Entry points for the rundll host that stand in for drivers that answer, crash, end early or hang.
// They take the driver's argument form: "<command> $<data address> #<status address>".
#include "platform/paths.h"
#include "platform/rundll_entry.h"
#include "platform/wow16.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string_view>
#include <unistd.h>

namespace {

struct Blocks {
    unsigned char* data = nullptr;
    win::DWORD dataSize = 0;
    void* status = nullptr;
};

win::DWORD RecordSize(std::string_view command) {
    if (command == "getstates") return 20;
    if (command == "reconfigurable") return 4;
    if (command == "getconfig" || command == "setconfig") return 688;
    if (command == "setconfig_onthefly") return 48;
    return 0;
}

Blocks MapBlocks(const char* arguments) {
    char command[32] = {};
    win::DWORD data = 0, status = 0;
    Blocks blocks;
    if (std::sscanf(arguments, "%31s $%8X #%8X", command, &data, &status) != 3) return blocks;
    blocks.dataSize = RecordSize(command);
    blocks.data = static_cast<unsigned char*>(win::WOWGetVDMPointer(data, blocks.dataSize, win::TRUE));
    blocks.status = win::WOWGetVDMPointer(status, 4, win::TRUE);
    return blocks;
}

} // namespace

extern "C" {

// Adds 1 to every byte of the record, so that the caller sees it went both ways.
void Answer(win::HWND, win::HINSTANCE, win::LPSTR arguments, win::INT) {
    const Blocks blocks = MapBlocks(arguments);
    if (!blocks.data || !blocks.status) std::exit(3);
    for (win::DWORD i = 0; i < blocks.dataSize; ++i)
        ++blocks.data[i];
    platform::StoreStatusWord(blocks.status, 1);
}

// Answers as Answer does, a second late: a host started cold on a busy machine.
void AnswerLate(win::HWND hwnd, win::HINSTANCE instance, win::LPSTR arguments, win::INT show) {
    usleep(1000 * 1000);
    Answer(hwnd, instance, arguments, show);
}

// Answers as Answer does, but ends without answering setconfig: a driver that lets the settings change
// and then does not take them.
void FailSetConfig(win::HWND hwnd, win::HINSTANCE instance, win::LPSTR arguments, win::INT show) {
    if (std::string_view(arguments).starts_with("setconfig ")) return;
    Answer(hwnd, instance, arguments, show);
}

// Allocates a block of its own in the caller's heap, fills it with 0xA5 and puts its address into the
// record's first four bytes.
void AllocateBlock(win::HWND, win::HINSTANCE, win::LPSTR arguments, win::INT) {
    const Blocks blocks = MapBlocks(arguments);
    const win::DWORD own = win::WOWGlobalAllocLock16(win::GMEM_ZEROINIT, 100, nullptr);
    if (!blocks.data || !blocks.status || !own) std::exit(3);
    std::memset(win::WOWGetVDMPointer(own, 100, win::TRUE), 0xA5, 100);
    std::memcpy(blocks.data, &own, 4);
    platform::StoreStatusWord(blocks.status, 1);
}

// Scribbles on the record, then dies.
void Crash(win::HWND, win::HINSTANCE, win::LPSTR arguments, win::INT) {
    const Blocks blocks = MapBlocks(arguments);
    if (blocks.data) std::memset(blocks.data, 0xEE, blocks.dataSize);
    std::abort();
}

// Scribbles on the record and returns without setting the status.
void ExitEarly(win::HWND, win::HINSTANCE, win::LPSTR arguments, win::INT) {
    const Blocks blocks = MapBlocks(arguments);
    if (blocks.data) std::memset(blocks.data, 0xEE, blocks.dataSize);
}

// Leaves its process id in the runtime folder and never returns.
void Hang(win::HWND, win::HINSTANCE, win::LPSTR, win::INT) {
    std::ofstream(platform::RuntimeDir() / "hanging-host.pid") << getpid() << std::endl;
    for (;;)
        pause();
}
}
