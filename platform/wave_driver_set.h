#pragma once
// The installed wave drivers: the libraries named in the drivers list, loaded from the program's folder.
// Device ids number the devices of all drivers in list order, separately for inputs and outputs.
#include "platform/wave_driver.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The default list, beside the program.
constexpr const char* WaveDriversListFile = "wavedrivers.list";
// Names a list file that replaces the default one, for running the program against other drivers.
constexpr const char* WaveDriversVariable = "KOVA2_WAVE_DRIVERS";

enum class WaveDirection { Input, Output };

// A driver's codes for one direction.
struct WaveDirectionCodes {
    win::UINT getNumDevs;
    win::UINT getDevCaps;
    win::UINT open;
    win::UINT close;
};
const WaveDirectionCodes& CodesFor(WaveDirection direction);

// One device of one driver.
struct WaveDevice {
    win::WaveDriverEntry entry;
    win::UINT localId; // the driver's own numbering, from 0
};

// The library file names of a list, in order: one a line; blank lines and lines starting with '#' do
// not count, blanks around a name are dropped.
std::vector<std::string> ParseWaveDriversList(std::string_view text);

class WaveDriverSet {
public:
    // The drivers installed now; the first call installs those of the default list (or of the list
    // that WaveDriversVariable names).
    static std::shared_ptr<const WaveDriverSet> Current();
    // Loads the drivers that list names in place of the installed ones, for every later call; handles
    // opened before stay usable. A list or library that cannot be used is reported on stderr, one line
    // each, and skipped. An empty path goes back to the default list, loaded when next needed.
    static void Install(const std::filesystem::path& list = {});

    // Asks every driver, so a driver whose devices come and go is seen as it is now.
    win::UINT DeviceCount(WaveDirection direction) const;
    std::optional<WaveDevice> Device(WaveDirection direction, win::UINT id) const;

private:
    struct Driver {
        win::WaveDriverEntry input;
        win::WaveDriverEntry output;
        win::WaveDriverEntry For(WaveDirection direction) const {
            return direction == WaveDirection::Input ? input : output;
        }
    };
    static std::vector<Driver> Load(const std::filesystem::path& list);
    static std::optional<Driver> LoadLibrary(const std::string& file);
    static win::UINT DriverDeviceCount(const Driver& driver, WaveDirection direction);

    std::vector<Driver> drivers_;
};

} // namespace platform
