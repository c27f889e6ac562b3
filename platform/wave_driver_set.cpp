#include "platform/wave_driver_set.h"

#include "platform/paths.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <mutex>
#include <sstream>

namespace fs = std::filesystem;

namespace platform {
namespace {

// A driver's answer above this is taken as this, so that a wild count cannot wrap the device ids.
constexpr win::UINT MaxDevicesPerDriver = 64;

constexpr WaveDirectionCodes InputCodes{win::WIDM_GETNUMDEVS, win::WIDM_GETDEVCAPS, win::WIDM_OPEN,
                                        win::WIDM_CLOSE};
constexpr WaveDirectionCodes OutputCodes{win::WODM_GETNUMDEVS, win::WODM_GETDEVCAPS, win::WODM_OPEN,
                                         win::WODM_CLOSE};

void Report(const std::string& line) {
    std::fprintf(stderr, "wave drivers: %s\n", line.c_str());
}

// Only libraries in the program's own folder are loaded, never one found along a path.
bool IsPlainFileName(std::string_view name) {
    return name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

std::string_view Trimmed(std::string_view line) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

fs::path DefaultList() {
    const char* chosen = std::getenv(WaveDriversVariable);
    return chosen && *chosen ? fs::path(chosen) : ExecutableDir() / WaveDriversListFile;
}

struct Installed {
    std::mutex mutex;
    std::shared_ptr<const WaveDriverSet> drivers;
};

Installed& TheInstalled() {
    static Installed installed;
    return installed;
}

} // namespace

const WaveDirectionCodes& CodesFor(WaveDirection direction) {
    return direction == WaveDirection::Input ? InputCodes : OutputCodes;
}

std::vector<std::string> ParseWaveDriversList(std::string_view text) {
    std::vector<std::string> files;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        if (!line.empty() && line.front() != '#') files.emplace_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return files;
}

std::shared_ptr<const WaveDriverSet> WaveDriverSet::Current() {
    Installed& installed = TheInstalled();
    std::lock_guard lock(installed.mutex);
    if (!installed.drivers) {
        auto drivers = std::shared_ptr<WaveDriverSet>(new WaveDriverSet);
        drivers->drivers_ = Load(DefaultList());
        installed.drivers = std::move(drivers);
    }
    return installed.drivers;
}

void WaveDriverSet::Install(const fs::path& list) {
    std::shared_ptr<WaveDriverSet> drivers;
    if (!list.empty()) {
        drivers.reset(new WaveDriverSet);
        drivers->drivers_ = Load(list);
    }
    Installed& installed = TheInstalled();
    std::lock_guard lock(installed.mutex);
    installed.drivers = std::move(drivers);
}

std::vector<WaveDriverSet::Driver> WaveDriverSet::Load(const fs::path& list) {
    std::ifstream file(list);
    if (!file) {
        Report("no drivers list " + list.string() + ", so no wave devices");
        return {};
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::vector<Driver> drivers;
    for (const std::string& name : ParseWaveDriversList(text.str()))
        if (auto driver = LoadLibrary(name)) drivers.push_back(*driver);
    return drivers;
}

// Libraries stay loaded for the life of the process, as handles opened on them may outlive the list.
std::optional<WaveDriverSet::Driver> WaveDriverSet::LoadLibrary(const std::string& name) {
    if (!IsPlainFileName(name)) {
        Report("skipped " + name + ": not a file name in the program's folder");
        return std::nullopt;
    }
    const fs::path path = ExecutableDir() / name;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        Report("skipped " + name + ": no such library in " + path.parent_path().string());
        return std::nullopt;
    }
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        Report("skipped " + name + ": " + dlerror());
        return std::nullopt;
    }
    const Driver driver{reinterpret_cast<win::WaveDriverEntry>(dlsym(library, "widMessage")),
                        reinterpret_cast<win::WaveDriverEntry>(dlsym(library, "wodMessage"))};
    if (!driver.input || !driver.output) {
        Report("skipped " + name + ": it does not export widMessage and wodMessage");
        return std::nullopt;
    }
    return driver;
}

win::UINT WaveDriverSet::DriverDeviceCount(const Driver& driver, WaveDirection direction) {
    const win::DWORD count = driver.For(direction)(0, CodesFor(direction).getNumDevs, 0, 0, 0);
    return count < MaxDevicesPerDriver ? count : MaxDevicesPerDriver;
}

win::UINT WaveDriverSet::DeviceCount(WaveDirection direction) const {
    win::UINT total = 0;
    for (const Driver& driver : drivers_)
        total += DriverDeviceCount(driver, direction);
    return total;
}

std::optional<WaveDevice> WaveDriverSet::Device(WaveDirection direction, win::UINT id) const {
    for (const Driver& driver : drivers_) {
        const win::UINT count = DriverDeviceCount(driver, direction);
        if (id < count) return WaveDevice{driver.For(direction), id};
        id -= count;
    }
    return std::nullopt;
}

} // namespace platform
