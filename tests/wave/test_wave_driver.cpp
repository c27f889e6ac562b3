// A wave driver whose devices the test chooses (TestWaveConfigure) and which records every call it
// receives (TestWaveCalls). Opens hand out instance numbers of their own, so that a test sees which
// instance a message reached; 0x4011 writes the device's node and the level reads a level pair
// into the 16:16 block they carry.
#include "tests/wave/test_wave_driver.h"

#include "platform/wow16.h"

#include <algorithm>
#include <deque>
#include <mutex>

#define EXPORTED extern "C" __attribute__((visibility("default")))

namespace {

constexpr std::size_t KeptCalls = 4096; // the oldest go, so a benchmark's millions of calls fit
constexpr win::UINT GetDeviceNode = 0x4011;
constexpr win::UINT InGetLevels = 0x403A;
constexpr win::UINT OutGetLevels = 0x4009;

struct Driver {
    std::mutex mutex;
    std::vector<TestWaveDevice> devices[2]; // inputs, outputs
    win::DWORD countAnswer = 0;
    std::deque<TestWaveCall> calls;
    win::DWORD_PTR nextInstance = 0x1000;
    int scribble = -1; // the byte that fills every block a private message carries; -1: none
};

Driver& TheDriver() {
    static Driver driver;
    return driver;
}

void WriteBlock(win::DWORD_PTR address, const void* data, win::DWORD size) {
    if (void* block = win::WOWGetVDMPointer(static_cast<win::DWORD>(address), size, win::TRUE))
        std::memcpy(block, data, size);
}

void RecordFormat(TestWaveCall& call, const win::WAVEOPENDESC& open) {
    if (!open.lpFormat) return;
    const std::size_t size =
        std::min(sizeof(win::WAVEFORMATEX) + open.lpFormat->cbSize, sizeof call.format);
    std::memcpy(call.format, open.lpFormat, size);
}

win::DWORD Open(Driver& driver, TestWaveCall& call, const TestWaveDevice& device, win::DWORD_PTR user) {
    const auto* open = reinterpret_cast<const win::WAVEOPENDESC*>(call.param1);
    call.param1 = open->dwCallback;
    call.wave = open->hWave;
    RecordFormat(call, *open);
    if (device.openResult != 0) return device.openResult;
    call.instance = driver.nextInstance++;
    *reinterpret_cast<win::DWORD_PTR*>(user) = call.instance;
    win::DriverCallback(open->dwCallback, static_cast<win::DWORD>(call.param2), open->hWave,
                        call.output ? win::MM_WOM_OPEN : win::MM_WIM_OPEN, open->dwInstance, 0, 0);
    return win::MMSYSERR_NOERROR;
}

win::DWORD Answer(Driver& driver, TestWaveCall& call, const TestWaveDevice& device, win::DWORD_PTR user) {
    const bool output = call.output;
    if (call.message == (output ? win::WODM_GETDEVCAPS : win::WIDM_GETDEVCAPS)) {
        // Both records start alike; the output one is longer.
        win::WAVEOUTCAPSA caps{};
        caps.wMid = device.mid;
        caps.wPid = device.pid;
        std::memcpy(caps.szPname, device.name, sizeof caps.szPname);
        std::memcpy(reinterpret_cast<void*>(call.param1), &caps,
                    std::min<std::size_t>(call.param2, sizeof caps));
        return win::MMSYSERR_NOERROR;
    }
    if (call.message == (output ? win::WODM_OPEN : win::WIDM_OPEN)) return Open(driver, call, device, user);
    if (call.message == (output ? win::WODM_CLOSE : win::WIDM_CLOSE)) return device.closeResult;
    if (output && call.message == GetDeviceNode) WriteBlock(call.param1, &device.deviceNode, 4);
    if (call.message == (output ? OutGetLevels : InGetLevels)) {
        const std::int32_t levels[2] = {std::int32_t(100 * (call.device + 1)),
                                        std::int32_t(100 * (call.device + 1) + 1)};
        WriteBlock(call.param1, levels, sizeof levels);
    }
    return win::MMSYSERR_NOERROR;
}

// The bytes of the live 16-bit block that address starts in, from address on.
win::DWORD BlockBytesFrom(win::DWORD address) {
    win::DWORD low = 0, high = 0x10000; // low bytes are there, high bytes are not
    while (high - low > 1) {
        const win::DWORD middle = (low + high) / 2;
        (win::WOWGetVDMPointer(address, middle, win::TRUE) ? low : high) = middle;
    }
    return low;
}

// A driver gone wrong: whatever it was asked, the block comes back full of one byte.
void Scribble(const Driver& driver, const TestWaveCall& call) {
    if (driver.scribble < 0 || call.message < win::DRV_USER) return;
    const auto address = static_cast<win::DWORD>(call.param1);
    if (const win::DWORD bytes = BlockBytesFrom(address))
        std::memset(win::WOWGetVDMPointer(address, bytes, win::TRUE), driver.scribble, bytes);
}

win::DWORD Message(bool output, win::UINT device, win::UINT message, win::DWORD_PTR user,
                   win::DWORD_PTR param1, win::DWORD_PTR param2) {
    Driver& driver = TheDriver();
    std::lock_guard lock(driver.mutex);
    const auto& devices = driver.devices[output ? 1 : 0];
    if (message == (output ? win::WODM_GETNUMDEVS : win::WIDM_GETNUMDEVS))
        return driver.countAnswer ? driver.countAnswer : win::DWORD(devices.size());
    TestWaveCall call{
        output, device, message, message == (output ? win::WODM_OPEN : win::WIDM_OPEN) ? 0 : user,
        param1, param2, 0,       {}};
    const win::DWORD result =
        device < devices.size() ? Answer(driver, call, devices[device], user) : win::MMSYSERR_BADDEVICEID;
    Scribble(driver, call);
    driver.calls.push_back(call);
    if (driver.calls.size() > KeptCalls) driver.calls.pop_front();
    return result;
}

} // namespace

EXPORTED win::DWORD widMessage(win::UINT device, win::UINT message, win::DWORD_PTR user,
                               win::DWORD_PTR param1, win::DWORD_PTR param2) {
    return Message(false, device, message, user, param1, param2);
}

EXPORTED win::DWORD wodMessage(win::UINT device, win::UINT message, win::DWORD_PTR user,
                               win::DWORD_PTR param1, win::DWORD_PTR param2) {
    return Message(true, device, message, user, param1, param2);
}

EXPORTED void TestWaveConfigure(const TestWaveDevice* inputs, win::UINT inputCount,
                                const TestWaveDevice* outputs, win::UINT outputCount,
                                win::DWORD countAnswer) {
    Driver& driver = TheDriver();
    std::lock_guard lock(driver.mutex);
    driver.devices[0].assign(inputs, inputs + inputCount);
    driver.devices[1].assign(outputs, outputs + outputCount);
    driver.countAnswer = countAnswer;
    driver.scribble = -1;
    driver.calls.clear();
}

EXPORTED void TestWaveScribble(int fill) {
    Driver& driver = TheDriver();
    std::lock_guard lock(driver.mutex);
    driver.scribble = fill;
}

EXPORTED win::UINT TestWaveCalls(TestWaveCall* calls, win::UINT capacity) {
    Driver& driver = TheDriver();
    std::lock_guard lock(driver.mutex);
    const win::UINT count = std::min<win::UINT>(capacity, win::UINT(driver.calls.size()));
    std::copy_n(driver.calls.begin(), count, calls);
    return capacity ? count : win::UINT(driver.calls.size());
}

EXPORTED void TestWaveClearCalls() {
    Driver& driver = TheDriver();
    std::lock_guard lock(driver.mutex);
    driver.calls.clear();
}
