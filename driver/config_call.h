#pragma once
// Configuration calls: the driver library's DriverConfig entry point, run by the rundll host in a
// process of its own, with the request's record in one 16-bit block and a status word in another.
#include "platform/win_types.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace driver {

enum ConfigCommand : std::int32_t {
    ConfigGetStates = 0x4001,      // DriverStates, 20 bytes
    ConfigReconfigurable = 0x4002, // one int32, zero before the call; nonzero: settings may change now
    ConfigGetConfig = 0x4003,      // ConfigArray, 688 bytes
    ConfigSetConfig = 0x4004,      // ConfigArray, 688 bytes
    ConfigSetOnTheFly = 0x4005,    // OnTheFlyConfig, 48 bytes
};

// The name on the command line, or nullopt for a code that is not a command.
std::optional<std::string_view> ConfigCommandName(std::int32_t code);

// Where the host finds the entry point. Tests point it at a library of their own.
struct ConfigCallTarget {
    std::string library = "kova2.DRV";
    std::string entry = "DriverConfig";
};

// The host's argument: "kova2.DRV,DriverConfig getstates $12340000 #12300000".
std::string ConfigCallParameters(std::string_view command, win::DWORD dataAddress, win::DWORD statusAddress,
                                 const ConfigCallTarget& target = {});

struct ConfigCallOptions {
    ConfigCallTarget target;
    // How long the UI thread waits for the driver. A healthy call takes a few milliseconds; starting
    // the host on a loaded machine can take a few hundred. Beyond five seconds the user is better
    // served by a program that goes on and says once that the driver does not answer.
    std::chrono::milliseconds answerTimeout{5000};
    // The wait of the first call, made while the host, the platform library and the driver may still
    // have to be read from disk: at log-in, on a machine busy starting the desktop, that can take
    // several seconds. It is the start-up's getstates, before any window shows, so waiting longer
    // keeps a slow start from ending the program for a driver that is fine.
    std::chrono::milliseconds coldStartTimeout{30000};
};

// Replaces the options for later calls; returns the previous ones. The next call counts as the first.
ConfigCallOptions SetConfigCallOptions(ConfigCallOptions options);

// Copies record into a 16-bit block, has the driver carry out the command on it and copies the block
// back. True when the driver signalled completion; the request's own outcome is in the record. On
// false the record is unchanged: a code that is no command, no 16-bit memory or a host that could not
// be started fail silently; a host that ends without answering or does not answer in time (it is then
// stopped) is reported once per run. "In time" is the cold-start wait until one call was answered or
// timed out, then the answer wait.
bool DriverConfigCall(std::int32_t code, void* record, std::size_t recordSize);

} // namespace driver
