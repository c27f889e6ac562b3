#pragma once
// Test wave drivers: libraries in the program's folder whose devices a test chooses and which record
// every call they receive. testwave_a.DRV and testwave_b.DRV are two copies with separate state.
#include "platform/paths.h"
#include "platform/wave_driver.h"
#include "platform/wave_driver_set.h"

#include <algorithm>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

struct TestWaveDevice {
    win::WORD mid;
    win::WORD pid;
    char name[32];             // copied as it is, terminated or not
    win::DWORD deviceNode;     // written into the block of output message 0x4011
    win::MMRESULT openResult;  // what an open answers; 0 opens
    win::MMRESULT closeResult; // what a close answers
};

struct TestWaveCall {
    bool output;
    win::UINT device;
    win::UINT message;
    win::DWORD_PTR instance;  // for an open: the instance it handed out
    win::DWORD_PTR param1;    // for an open: the description's callback
    win::DWORD_PTR param2;    // for an open: the open flags
    win::HWAVE wave;          // for an open: the handle in the description
    unsigned char format[23]; // for an open: the format and the extra bytes that cbSize counts
};

extern "C" {
// countAnswer replaces the device count the driver reports when it is not 0.
using TestWaveConfigureFunction = void (*)(const TestWaveDevice* inputs, win::UINT inputCount,
                                           const TestWaveDevice* outputs, win::UINT outputCount,
                                           win::DWORD countAnswer);
using TestWaveCallsFunction = win::UINT (*)(TestWaveCall* calls, win::UINT capacity);
// fill 0..255: every block a private message carries comes back full of that byte; -1 (and every
// TestWaveConfigure): the driver answers as it should.
using TestWaveScribbleFunction = void (*)(int fill);
}

inline TestWaveDevice MakeTestDevice(win::WORD mid, win::WORD pid, const char* name,
                                     win::DWORD deviceNode = 0) {
    TestWaveDevice device{mid, pid, {}, deviceNode, 0, 0};
    std::memcpy(device.name, name, std::min(std::strlen(name), sizeof device.name));
    return device;
}

class TestWaveDriver {
public:
    explicit TestWaveDriver(const std::string& file)
        : library_(dlopen((platform::ExecutableDir() / file).c_str(), RTLD_NOW | RTLD_LOCAL)) {
        if (!library_) throw std::runtime_error("cannot load " + file);
        configure_ = reinterpret_cast<TestWaveConfigureFunction>(dlsym(library_, "TestWaveConfigure"));
        calls_ = reinterpret_cast<TestWaveCallsFunction>(dlsym(library_, "TestWaveCalls"));
        clear_ = reinterpret_cast<void (*)()>(dlsym(library_, "TestWaveClearCalls"));
        scribble_ = reinterpret_cast<TestWaveScribbleFunction>(dlsym(library_, "TestWaveScribble"));
    }
    ~TestWaveDriver() { dlclose(library_); }
    TestWaveDriver(const TestWaveDriver&) = delete;
    TestWaveDriver& operator=(const TestWaveDriver&) = delete;

    void Configure(const std::vector<TestWaveDevice>& inputs, const std::vector<TestWaveDevice>& outputs,
                   win::DWORD countAnswer = 0) {
        configure_(inputs.data(), win::UINT(inputs.size()), outputs.data(), win::UINT(outputs.size()),
                   countAnswer);
    }
    std::vector<TestWaveCall> Calls() const {
        std::vector<TestWaveCall> calls(calls_(nullptr, 0));
        calls.resize(calls_(calls.data(), win::UINT(calls.size())));
        return calls;
    }
    std::vector<TestWaveCall> CallsOf(win::UINT message) const {
        std::vector<TestWaveCall> found;
        for (const TestWaveCall& call : Calls())
            if (call.message == message) found.push_back(call);
        return found;
    }
    void ClearCalls() { clear_(); }
    void Scribble(int fill) { scribble_(fill); }

private:
    void* library_;
    TestWaveConfigureFunction configure_;
    TestWaveCallsFunction calls_;
    void (*clear_)();
    TestWaveScribbleFunction scribble_;
};

// Installs the drivers named for the test's life, then the default list again.
class InstalledTestDrivers {
public:
    InstalledTestDrivers(std::initializer_list<std::string> files) {
        std::ofstream(list_) << Lines(files);
        platform::WaveDriverSet::Install(list_);
    }
    ~InstalledTestDrivers() {
        platform::WaveDriverSet::Install();
        std::filesystem::remove(list_);
    }
    InstalledTestDrivers(const InstalledTestDrivers&) = delete;
    InstalledTestDrivers& operator=(const InstalledTestDrivers&) = delete;

private:
    static std::string Lines(std::initializer_list<std::string> files) {
        std::string text;
        for (const std::string& file : files)
            text += file + "\n";
        return text;
    }
    const std::filesystem::path list_ = platform::RuntimeDir() / "test-wavedrivers.list";
};
