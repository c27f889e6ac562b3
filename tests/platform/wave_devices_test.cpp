// The wave device stand-in over test wave drivers: device numbering across drivers, capabilities,
// opens, routing of messages with the driver's instance data, and the handle table.
#include "platform/message_post.h"
#include "platform/mmsystem.h"
#include "tests/wave/test_wave_driver.h"

#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace {

using win::MMSYSERR_NOERROR;

constexpr win::WAVEFORMATEX Pcm{win::WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};

TestWaveDevice In(const char* name) {
    return MakeTestDevice(7, 1, name);
}
TestWaveDevice Out(const char* name) {
    return MakeTestDevice(7, 2, name);
}

std::string InputName(win::UINT id) {
    win::WAVEINCAPSA caps{};
    EXPECT_EQ(win::waveInGetDevCapsA(id, &caps, sizeof caps), MMSYSERR_NOERROR);
    return caps.szPname;
}

win::HWAVEOUT OpenOutput(win::UINT id) {
    win::HWAVEOUT handle = 0;
    EXPECT_EQ(win::waveOutOpen(&handle, id, &Pcm, 0, 0, win::CALLBACK_NULL), MMSYSERR_NOERROR);
    return handle;
}

class WaveDevices : public testing::Test {
protected:
    WaveDevices() {
        a.Configure({In("a in 0"), In("a in 1")}, {Out("a out 0")});
        b.Configure({In("b in 0")}, {Out("b out 0"), Out("b out 1")});
    }
    TestWaveDriver a{"testwave_a.DRV"};
    TestWaveDriver b{"testwave_b.DRV"};
    InstalledTestDrivers installed{"testwave_a.DRV", "testwave_b.DRV"};
};

TEST_F(WaveDevices, NumbersTheDevicesOfAllDriversInListOrder) {
    ASSERT_EQ(win::waveInGetNumDevs(), 3u);
    ASSERT_EQ(win::waveOutGetNumDevs(), 3u);
    EXPECT_EQ(InputName(0), "a in 0");
    EXPECT_EQ(InputName(1), "a in 1");
    EXPECT_EQ(InputName(2), "b in 0");
    win::WAVEOUTCAPSA caps{};
    EXPECT_EQ(win::waveOutGetDevCapsA(2, &caps, sizeof caps), MMSYSERR_NOERROR);
    EXPECT_STREQ(caps.szPname, "b out 1");
    EXPECT_EQ(win::waveOutGetDevCapsA(3, &caps, sizeof caps), win::MMSYSERR_BADDEVICEID);
    EXPECT_EQ(win::waveOutGetDevCapsA(0xFFFFFFFF, &caps, sizeof caps), win::MMSYSERR_BADDEVICEID);
}

TEST_F(WaveDevices, CapabilityRecordsAreCheckedAndNamesTerminated) {
    TestWaveDevice unterminated = In("");
    std::memset(unterminated.name, 'X', sizeof unterminated.name);
    a.Configure({unterminated}, {});
    win::WAVEINCAPSA caps{};
    EXPECT_EQ(win::waveInGetDevCapsA(0, &caps, sizeof caps - 1), win::MMSYSERR_INVALPARAM);
    EXPECT_EQ(win::waveInGetDevCapsA(0, nullptr, sizeof caps), win::MMSYSERR_INVALPARAM);
    ASSERT_EQ(win::waveInGetDevCapsA(0, &caps, sizeof caps), MMSYSERR_NOERROR);
    EXPECT_EQ(std::string(caps.szPname), std::string(31, 'X'));
}

TEST_F(WaveDevices, AWildDeviceCountIsCapped) {
    a.Configure({}, {}, 0xFFFFFFFF);
    const win::UINT count = win::waveInGetNumDevs();
    EXPECT_GT(count, 1u);
    EXPECT_LT(count, 1000u);
    EXPECT_EQ(InputName(count - 1), "b in 0");
}

TEST_F(WaveDevices, OpenHandsFormatAndCallbackToTheDriverAndMessagesReachItsInstance) {
    win::HWAVEIN first = 0, second = 0;
    constexpr win::HWND Window = 0x1234;
    ASSERT_EQ(win::waveInOpen(&first, 2, &Pcm, Window, 0, win::CALLBACK_WINDOW), MMSYSERR_NOERROR);
    ASSERT_EQ(win::waveInOpen(&second, 2, &Pcm, 0, 0, win::CALLBACK_NULL), MMSYSERR_NOERROR);
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, second);

    const auto opens = b.CallsOf(win::WIDM_OPEN);
    ASSERT_EQ(opens.size(), 2u);
    EXPECT_EQ(opens[0].device, 0u);
    EXPECT_EQ(opens[0].wave, first);
    EXPECT_EQ(opens[0].param1, Window);
    EXPECT_EQ(opens[0].param2, win::CALLBACK_WINDOW);
    EXPECT_EQ(std::memcmp(opens[0].format, &Pcm, sizeof Pcm), 0);
    EXPECT_EQ(opens[1].param2, win::CALLBACK_NULL);

    EXPECT_EQ(win::waveInMessage(second, 0x4034, 0x00120000, 0), MMSYSERR_NOERROR);
    const auto messages = b.CallsOf(0x4034);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].instance, opens[1].instance);
    EXPECT_EQ(messages[0].param1, 0x00120000u);
    EXPECT_TRUE(a.CallsOf(0x4034).empty());
    EXPECT_EQ(win::waveInClose(first), MMSYSERR_NOERROR);
    EXPECT_EQ(win::waveInClose(second), MMSYSERR_NOERROR);
}

TEST_F(WaveDevices, RefusesWhatItCannotOpen) {
    win::HWAVEOUT handle = 0;
    EXPECT_EQ(win::waveOutOpen(&handle, 3, &Pcm, 0, 0, 0), win::MMSYSERR_BADDEVICEID);
    EXPECT_EQ(win::waveOutOpen(&handle, 0xFFFFFFFF, &Pcm, 0, 0, 0), win::MMSYSERR_BADDEVICEID);
    EXPECT_EQ(win::waveOutOpen(&handle, 0, &Pcm, 0, 0, 0x00030000), win::MMSYSERR_INVALFLAG); // a function
    EXPECT_EQ(win::waveOutOpen(&handle, 0, nullptr, 0, 0, 0), win::MMSYSERR_INVALPARAM);
    EXPECT_TRUE(a.CallsOf(win::WODM_OPEN).empty());

    TestWaveDevice refusing = Out("refusing");
    refusing.openResult = win::WAVERR_BADFORMAT;
    a.Configure({}, {refusing});
    EXPECT_EQ(win::waveOutOpen(&handle, 0, &Pcm, 0, 0, 0), win::WAVERR_BADFORMAT);
    EXPECT_EQ(handle, 0u);
    // The number the driver was told is no handle afterwards.
    EXPECT_EQ(win::waveOutClose(a.CallsOf(win::WODM_OPEN).at(0).wave), win::MMSYSERR_INVALHANDLE);
}

TEST_F(WaveDevices, ClosedUnknownAndForeignHandlesAreRefused) {
    const win::HWAVEOUT handle = OpenOutput(1);
    EXPECT_EQ(win::waveInMessage(handle, 0x4034, 0, 0), win::MMSYSERR_INVALHANDLE);
    EXPECT_EQ(win::waveInClose(handle), win::MMSYSERR_INVALHANDLE);
    EXPECT_EQ(win::waveOutMessage(handle, win::WODM_CLOSE, 0, 0), win::MMSYSERR_INVALPARAM);
    EXPECT_EQ(win::waveOutClose(handle), MMSYSERR_NOERROR);
    EXPECT_EQ(win::waveOutClose(handle), win::MMSYSERR_INVALHANDLE);
    EXPECT_EQ(win::waveOutMessage(handle, 0x4009, 0, 0), win::MMSYSERR_INVALHANDLE);
    EXPECT_EQ(win::waveOutMessage(0, 0x4009, 0, 0), win::MMSYSERR_INVALHANDLE);
    EXPECT_EQ(win::waveOutMessage(0xDEADBEEF, 0x4009, 0, 0), win::MMSYSERR_INVALHANDLE);
    EXPECT_EQ(b.CallsOf(win::WODM_CLOSE).size(), 1u);
    EXPECT_TRUE(b.CallsOf(0x4009).empty());
    // Handles are not handed out again soon.
    EXPECT_NE(OpenOutput(1), handle);
}

TEST_F(WaveDevices, AHandleWhoseCloseTheDriverRefusesStaysOpen) {
    TestWaveDevice busy = Out("busy");
    busy.closeResult = 33; // still playing
    a.Configure({}, {busy});
    const win::HWAVEOUT handle = OpenOutput(0);
    EXPECT_EQ(win::waveOutClose(handle), 33u);
    EXPECT_EQ(win::waveOutMessage(handle, 0x4009, 0, 0), MMSYSERR_NOERROR);
}

struct Posted {
    win::HWND window;
    win::UINT message;
    win::WPARAM wParam;
};
std::vector<Posted> posts;

win::BOOL RecordPost(win::HWND window, win::UINT message, win::WPARAM wParam, win::LPARAM) {
    posts.push_back({window, message, wParam});
    return win::TRUE;
}

TEST_F(WaveDevices, DriverNotificationsArePostedToTheCallbackWindow) {
    const platform::MessagePoster previous = platform::SetMessagePoster(RecordPost);
    win::HWAVEOUT handle = 0;
    ASSERT_EQ(win::waveOutOpen(&handle, 0, &Pcm, 0x4321, 0, win::CALLBACK_WINDOW), MMSYSERR_NOERROR);
    platform::SetMessagePoster(previous);
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].window, 0x4321u);
    EXPECT_EQ(posts[0].message, win::MM_WOM_OPEN);
    EXPECT_EQ(posts[0].wParam, handle);
    EXPECT_EQ(win::DriverCallback(0x4321, win::CALLBACK_NULL, handle, win::MM_WOM_OPEN, 0, 0, 0), win::FALSE);
    win::waveOutClose(handle);
}

TEST_F(WaveDevices, HandlesOpenedAndUsedFromSeveralThreadsStayApart) {
    constexpr int Threads = 4;
    constexpr int Rounds = 50;
    std::vector<std::vector<win::HWAVEOUT>> opened(Threads);
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < Rounds; ++round) {
                win::HWAVEOUT handle = 0;
                if (win::waveOutOpen(&handle, t % 3, &Pcm, 0, 0, 0) != MMSYSERR_NOERROR) return;
                opened[t].push_back(handle);
                if (win::waveOutMessage(handle, 0x4009, 0, 0) != MMSYSERR_NOERROR) return;
                if (win::waveOutClose(handle) != MMSYSERR_NOERROR) return;
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    std::set<win::HWAVEOUT> distinct;
    for (const auto& handles : opened) {
        EXPECT_EQ(handles.size(), std::size_t(Rounds));
        distinct.insert(handles.begin(), handles.end());
    }
    EXPECT_EQ(distinct.size(), std::size_t(Threads * Rounds));
}

TEST(WaveDriversList, SkipsEntriesThatAreNoUsableDriverWithOneLineEach) {
    EXPECT_EQ(platform::ParseWaveDriversList("# comment\n  a.DRV \r\n\n\tb.DRV\n#c.DRV"),
              (std::vector<std::string>{"a.DRV", "b.DRV"}));
    TestWaveDriver a("testwave_a.DRV");
    a.Configure({In("only")}, {});
    testing::internal::CaptureStderr();
    {
        InstalledTestDrivers installed{"missing.DRV", "../bin/testwave_b.DRV", "kova2_testentry.so",
                                       "testwave_a.DRV"};
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 3) << errors;
        EXPECT_NE(errors.find("missing.DRV"), std::string::npos);
        EXPECT_NE(errors.find("kova2_testentry.so"), std::string::npos);
        EXPECT_EQ(win::waveInGetNumDevs(), 1u);
        EXPECT_EQ(InputName(0), "only");
    }
}

TEST(WaveDriversList, TheDefaultListInstallsTheOnboardDevice) {
    platform::WaveDriverSet::Install();
    win::WAVEOUTCAPSA caps{};
    ASSERT_GE(win::waveOutGetNumDevs(), 1u);
    ASSERT_EQ(win::waveOutGetDevCapsA(0, &caps, sizeof caps), MMSYSERR_NOERROR);
    EXPECT_STREQ(caps.szPname, "On-board Audio Out");
    EXPECT_NE(caps.wMid, 190);
}

} // namespace
