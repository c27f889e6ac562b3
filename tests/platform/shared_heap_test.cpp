#include "platform/paths.h"
#include "platform/shared_heap.h"
#include "platform/wow16.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using platform::SharedHeap;
using win::DWORD;

namespace {

class SharedHeapTest : public testing::Test {
protected:
    void SetUp() override {
        folder = platform::RuntimeDir() / "heaps";
        fs::create_directories(folder);
        heap = SharedHeap::Create(folder, "heap-" + std::to_string(getpid()) + "-test");
        ASSERT_TRUE(heap);
    }
    fs::path folder;
    std::unique_ptr<SharedHeap> heap;
};

pid_t EndedProcessId() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

} // namespace

TEST_F(SharedHeapTest, BlocksAreZeroFilledWithDistinctSelectorsAndExactBounds) {
    std::set<win::WORD> selectors;
    for (DWORD size : {1u, 4u, 688u, SharedHeap::MaxBlockSize}) {
        const DWORD address = heap->Allocate(size);
        ASSERT_NE(address, 0u);
        EXPECT_EQ(win::LOWORD(address), 0u);
        EXPECT_NE(win::HIWORD(address), 0u);
        selectors.insert(win::HIWORD(address));
        auto* bytes = static_cast<unsigned char*>(heap->Pointer(address, size));
        ASSERT_NE(bytes, nullptr);
        EXPECT_TRUE(std::all_of(bytes, bytes + size, [](unsigned char b) { return b == 0; }));
        EXPECT_EQ(heap->Pointer(address, size + 1), nullptr);
        EXPECT_EQ(heap->Pointer(address + size - 1, 1), bytes + size - 1);
        EXPECT_EQ(heap->Pointer(address + size - 1, 2), nullptr);
    }
    EXPECT_EQ(selectors.size(), 4u);
    EXPECT_EQ(heap->Allocate(0), 0u);
    EXPECT_EQ(heap->Allocate(SharedHeap::MaxBlockSize + 1), 0u);
}

TEST_F(SharedHeapTest, BadAddressesAndFreesAreRefused) {
    const DWORD address = heap->Allocate(16);
    EXPECT_EQ(heap->Pointer(0, 1), nullptr);
    EXPECT_EQ(heap->Pointer(0x12340000, 1), nullptr);
    EXPECT_EQ(heap->Pointer(address + 0x10000, 1), nullptr);
    EXPECT_FALSE(heap->Free(address + 4));
    EXPECT_FALSE(heap->Free(0xFFFF0000));
    EXPECT_TRUE(heap->Free(address));
    EXPECT_FALSE(heap->Free(address));
    EXPECT_EQ(heap->Pointer(address, 1), nullptr);
}

TEST_F(SharedHeapTest, FreedSelectorIsNotReusedAtOnceAndExhaustionRecovers) {
    const DWORD first = heap->Allocate(8);
    heap->Free(first);
    const DWORD second = heap->Allocate(8);
    EXPECT_NE(win::HIWORD(first), win::HIWORD(second));
    heap->Free(second);

    std::vector<DWORD> blocks;
    while (DWORD address = heap->Allocate(SharedHeap::MaxBlockSize))
        blocks.push_back(address);
    EXPECT_EQ(blocks.size(), SharedHeap::SelectorCount);
    EXPECT_EQ(heap->LiveBlocks(), SharedHeap::SelectorCount);
    ASSERT_TRUE(heap->Free(blocks[7]));
    EXPECT_NE(heap->Allocate(4), 0u);
}

TEST_F(SharedHeapTest, FixCountsAndAnAttachedMappingSeesTheSameBlocks) {
    const DWORD address = heap->Allocate(32);
    EXPECT_NE(heap->Fix(address, 32), nullptr);
    EXPECT_NE(heap->Fix(address, 4), nullptr);
    EXPECT_TRUE(heap->Unfix(address));
    EXPECT_EQ(heap->FixCount(address), 1u);

    auto other = SharedHeap::Attach(heap->File());
    ASSERT_TRUE(other);
    std::memcpy(heap->Pointer(address, 5), "kova", 5);
    EXPECT_STREQ(static_cast<const char*>(other->Pointer(address, 5)), "kova");
    const DWORD fromOther = other->Allocate(4);
    EXPECT_NE(heap->Pointer(fromOther, 4), nullptr);
    EXPECT_NE(win::HIWORD(fromOther), win::HIWORD(address));

    other.reset();
    EXPECT_TRUE(fs::exists(heap->File())) << "only the creator removes the file";
    const fs::path file = heap->File();
    heap.reset();
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(SharedHeapTest, ATableEntryWithASizeNoBlockCanHaveResolvesNothing) {
    const DWORD address = heap->Allocate(16);
    ASSERT_EQ(win::HIWORD(address) >> 3, 0x20u) << "the first selector: its entry leads the table";
    // Another process that maps the heap damages the entry: 8 bytes per selector from offset 64.
    const std::uint32_t damaged[2] = {0xFFFFFFFF, 0};
    const int fd = open(heap->File().c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(pwrite(fd, damaged, sizeof damaged, 64), ssize_t(sizeof damaged));
    close(fd);
    EXPECT_EQ(heap->Pointer(address, 0x20000), nullptr) << "beyond the block's 64 KiB slot";
    EXPECT_EQ(heap->Pointer(address, 1), nullptr);
    EXPECT_EQ(heap->Fix(address, 1), nullptr);
    EXPECT_FALSE(heap->Free(address));
}

TEST_F(SharedHeapTest, AttachRefusesFilesThatAreNotHeaps) {
    const fs::path bogus = folder / "not-a-heap";
    std::ofstream(bogus) << "hello";
    EXPECT_FALSE(SharedHeap::Attach(bogus));
    EXPECT_FALSE(SharedHeap::Attach(folder / "missing"));
}

TEST_F(SharedHeapTest, ThreadsAllocateDistinctBlocks) {
    constexpr int Threads = 4, PerThread = 60;
    std::vector<std::vector<DWORD>> owned(Threads);
    std::vector<std::thread> workers;
    for (int t = 0; t < Threads; ++t)
        workers.emplace_back([&, t] {
            for (int i = 0; i < PerThread; ++i) {
                const DWORD address = heap->Allocate(4);
                if (i % 3 == 0)
                    heap->Free(address);
                else {
                    *static_cast<int*>(heap->Pointer(address, 4)) = t;
                    owned[t].push_back(address);
                }
            }
        });
    for (auto& worker : workers)
        worker.join();
    std::set<DWORD> all;
    for (int t = 0; t < Threads; ++t)
        for (DWORD address : owned[t]) {
            all.insert(address);
            EXPECT_EQ(*static_cast<int*>(heap->Pointer(address, 4)), t);
        }
    EXPECT_EQ(all.size(), std::size_t(Threads * PerThread * 2 / 3));
}

TEST_F(SharedHeapTest, HeapsOfEndedProcessesAreSweptLiveOnesKept) {
    const fs::path abandoned = folder / "heap-1-abandoned";
    std::ofstream(abandoned) << "left by a crashed program";
    const fs::path unfinished = folder / ("heap-" + std::to_string(EndedProcessId()) + ".new");
    std::ofstream(unfinished) << "";
    auto second = SharedHeap::Create(folder, "heap-" + std::to_string(getpid()) + "-second");
    ASSERT_TRUE(second);
    EXPECT_FALSE(fs::exists(abandoned));
    EXPECT_FALSE(fs::exists(unfinished));
    EXPECT_TRUE(fs::exists(heap->File()));
}

TEST(Wow16, ProcessHeapServesTheWindowsCalls) {
    win::HMEM16 handle = 0;
    const DWORD address = win::WOWGlobalAllocLock16(win::GMEM_FIXED | win::GMEM_ZEROINIT, 20, &handle);
    ASSERT_NE(address, 0u);
    EXPECT_EQ(handle, win::HIWORD(address));
    EXPECT_EQ(platform::CurrentHeapName(), "heap-" + std::to_string(getpid()));
    EXPECT_TRUE(fs::exists(platform::RuntimeDir() / platform::CurrentHeapName()));
    void* status = win::WOWGetVDMPointer(address, 4, win::TRUE);
    ASSERT_NE(status, nullptr);
    platform::StoreStatusWord(status, 7);
    EXPECT_EQ(platform::LoadStatusWord(status), 7u);
    EXPECT_EQ(win::WOWGetVDMPointer(address, 21, win::TRUE), nullptr);
    EXPECT_EQ(win::WOWGlobalUnlockFree16(address), 0);
    EXPECT_NE(win::WOWGlobalUnlockFree16(address), 0);
    EXPECT_NE(win::WOWGlobalUnlockFree16(0), 0);
}

// The program waits on the status word; the driver stores it in the host, another process: the store
// ends the wait at once rather than at its limit.
TEST(Wow16, AStoreInAnotherProcessEndsTheWaitOnTheStatusWord) {
    const DWORD address = win::WOWGlobalAllocLock16(win::GMEM_FIXED | win::GMEM_ZEROINIT, 4, nullptr);
    ASSERT_NE(address, 0u);
    void* status = win::WOWGetVDMPointer(address, 4, win::TRUE);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(platform::AwaitStatusWord(status, std::chrono::milliseconds(5)), 0u);
    const pid_t host = fork();
    ASSERT_GE(host, 0);
    if (host == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        platform::StoreStatusWord(status, 1);
        _exit(0);
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(platform::AwaitStatusWord(status, std::chrono::minutes(1)), 1u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30)); // woken, not timed out
    waitpid(host, nullptr, 0);
    EXPECT_EQ(win::WOWGlobalUnlockFree16(address), 0);
}
