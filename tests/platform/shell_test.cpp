#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/started_process.h"
#include "platform/wow16.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <thread>

using namespace std::chrono_literals;

namespace {

win::HINSTANCE StartHost(const std::string& parameters, const char* file = "rundll.exe") {
    return win::ShellExecuteA(0, nullptr, file, parameters.c_str(), "", win::SW_SHOWDEFAULT);
}

bool ProcessIsGone(pid_t pid) {
    return kill(pid, 0) != 0 && errno == ESRCH;
}

std::string Hex8(win::DWORD value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

} // namespace

TEST(ShellExecute, StartsOnlyTheRundllHost) {
    for (const char* file : {"notepad.exe", "rundll", "/bin/sh", "rundll.exe.sh", ""})
        EXPECT_EQ(StartHost("kova2_testentry.so,ExitEarly", file), win::SE_ERR_FNF) << file;
    EXPECT_EQ(win::ShellExecuteA(0, nullptr, nullptr, "", "", 10), win::SE_ERR_FNF);
    EXPECT_EQ(win::ShellExecuteA(0, "print", "rundll.exe", "", "", 10), win::SE_ERR_NOASSOC);
    EXPECT_FALSE(platform::TakeStartedProcess());

    ASSERT_GT(StartHost("kova2_testentry.so,ExitEarly", "RunDll.EXE"), 32u);
    auto host = platform::TakeStartedProcess();
    ASSERT_TRUE(host);
    EXPECT_FALSE(platform::TakeStartedProcess()) << "taken once";
    ASSERT_TRUE(host->WaitForEnd(10s));
    ASSERT_TRUE(host->WaitStatus());
    EXPECT_TRUE(WIFEXITED(*host->WaitStatus()));
    EXPECT_EQ(WEXITSTATUS(*host->WaitStatus()), 0);
}

TEST(ShellExecute, StartedProcessIsStoppedAndReapedWithoutZombie) {
    ASSERT_GT(StartHost("kova2_testentry.so,Hang"), 32u);
    auto host = platform::TakeStartedProcess();
    ASSERT_TRUE(host);
    const pid_t pid = host->Id();
    EXPECT_FALSE(host->HasEnded());
    EXPECT_TRUE(host->Stop());
    EXPECT_TRUE(host->HasEnded());
    EXPECT_TRUE(WIFSIGNALED(*host->WaitStatus()));
    EXPECT_TRUE(ProcessIsGone(pid));

    ASSERT_GT(StartHost("kova2_testentry.so,Hang"), 32u);
    pid_t abandoned = 0;
    {
        auto other = platform::TakeStartedProcess();
        abandoned = other->Id();
    }
    EXPECT_TRUE(ProcessIsGone(abandoned)) << "the destructor stops and reaps";
}

// A host that lingers after its answer is given up at once and stopped by a background thread.
TEST(ShellExecute, AProcessEndedInTheBackgroundIsStoppedAfterItsGraceAndReaped) {
    ASSERT_GT(StartHost("kova2_testentry.so,Hang"), 32u);
    auto host = platform::TakeStartedProcess();
    ASSERT_TRUE(host);
    const pid_t pid = host->Id();
    host->EndInBackground(20ms);
    EXPECT_EQ(host->Id(), -1) << "the caller holds nothing of it any more";
    for (int tries = 0; tries < 500 && !ProcessIsGone(pid); ++tries) std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(ProcessIsGone(pid));
}

TEST(ShellExecute, HostWorksInTheCallersHeap) {
    const win::DWORD data = win::WOWGlobalAllocLock16(win::GMEM_ZEROINIT, 4, nullptr);
    const win::DWORD status = win::WOWGlobalAllocLock16(win::GMEM_ZEROINIT, 4, nullptr);
    ASSERT_TRUE(data && status);
    ASSERT_GT(
        StartHost("kova2_testentry.so,AllocateBlock reconfigurable $" + Hex8(data) + " #" + Hex8(status)),
        32u);
    auto host = platform::TakeStartedProcess();
    ASSERT_TRUE(host && host->WaitForEnd(10s));
    EXPECT_EQ(platform::LoadStatusWord(win::WOWGetVDMPointer(status, 4, win::TRUE)), 1u);

    win::DWORD childsBlock = 0;
    std::memcpy(&childsBlock, win::WOWGetVDMPointer(data, 4, win::TRUE), 4);
    const auto* bytes = static_cast<const unsigned char*>(win::WOWGetVDMPointer(childsBlock, 100, win::TRUE));
    ASSERT_NE(bytes, nullptr) << "a block the host allocated is live here";
    EXPECT_TRUE(std::all_of(bytes, bytes + 100, [](unsigned char b) { return b == 0xA5; }));
    EXPECT_EQ(win::WOWGetVDMPointer(childsBlock, 101, win::TRUE), nullptr);
    for (win::DWORD block : {childsBlock, data, status})
        EXPECT_EQ(win::WOWGlobalUnlockFree16(block), 0);
}
