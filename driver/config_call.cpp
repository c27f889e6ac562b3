#include "driver/config_call.h"

#include "driver/no_answer_report.h"
#include "driver/transfer_block.h"
#include "platform/shell.h"
#include "platform/started_process.h"
#include "platform/wow16.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <utility>

namespace driver {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr win::DWORD StatusSize = 4;           // bytes
constexpr std::size_t MaxRecordSize = 0x10000; // bytes: one 16-bit block
constexpr milliseconds PollInterval{1};
// A host that answered ends by itself within moments; one that lingers is stopped.
constexpr milliseconds HostExitGrace{1000};

constexpr std::array<std::pair<std::int32_t, std::string_view>, 5> CommandNames{{
    {ConfigGetStates, "getstates"},
    {ConfigReconfigurable, "reconfigurable"},
    {ConfigGetConfig, "getconfig"},
    {ConfigSetConfig, "setconfig"},
    {ConfigSetOnTheFly, "setconfig_onthefly"},
}};

std::mutex optionsMutex;
ConfigCallOptions& Options() {
    static ConfigCallOptions options;
    return options;
}
bool hostWarm = false; // a call was answered or timed out since the options were set; under optionsMutex

ConfigCallOptions CurrentOptions() {
    std::lock_guard lock(optionsMutex);
    return Options();
}

milliseconds CurrentAnswerTimeout(const ConfigCallOptions& options) {
    std::lock_guard lock(optionsMutex);
    return hostWarm ? options.answerTimeout : options.coldStartTimeout;
}

void MarkHostWarm() {
    std::lock_guard lock(optionsMutex);
    hostWarm = true;
}

std::string Hex8(win::DWORD value) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", value);
    return digits;
}

enum class Answer { Given, HostEnded, TimedOut };

// Waits on the status word, which wakes us the moment the driver writes it, and looks every millisecond
// whether the host has ended without an answer.
Answer AwaitAnswer(const void* status, platform::StartedProcess* host, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (platform::AwaitStatusWord(status, PollInterval)) return Answer::Given;
        if (host && host->HasEnded())
            return platform::LoadStatusWord(status) ? Answer::Given : Answer::HostEnded;
        if (Clock::now() >= deadline) return Answer::TimedOut;
    }
}

} // namespace

std::optional<std::string_view> ConfigCommandName(std::int32_t code) {
    for (const auto& [known, name] : CommandNames)
        if (known == code) return name;
    return std::nullopt;
}

std::string ConfigCallParameters(std::string_view command, win::DWORD dataAddress, win::DWORD statusAddress,
                                 const ConfigCallTarget& target) {
    return target.library + "," + target.entry + " " + std::string(command) + " $" + Hex8(dataAddress) +
           " #" + Hex8(statusAddress);
}

ConfigCallOptions SetConfigCallOptions(ConfigCallOptions options) {
    std::lock_guard lock(optionsMutex);
    std::swap(Options(), options);
    hostWarm = false;
    return options;
}

bool DriverConfigCall(std::int32_t code, void* record, std::size_t recordSize) {
    if (!record || recordSize == 0 || recordSize > MaxRecordSize) return false;
    // Declared status first, so that the data block is released before it.
    TransferBlock status(StatusSize);
    if (!status) return false;
    TransferBlock data(static_cast<win::DWORD>(recordSize));
    if (!data) return false;
    std::memcpy(data.Flat(), record, recordSize);

    const auto command = ConfigCommandName(code);
    if (!command) return false;
    const ConfigCallOptions options = CurrentOptions();
    const std::string parameters =
        ConfigCallParameters(*command, data.Address(), status.Address(), options.target);
    if (win::ShellExecuteA(0, nullptr, "rundll.exe", parameters.c_str(), "", win::SW_SHOWDEFAULT) <= 32)
        return false;
    std::optional<platform::StartedProcess> host = platform::TakeStartedProcess();

    const Answer answer = AwaitAnswer(status.Flat(), host ? &*host : nullptr, CurrentAnswerTimeout(options));
    if (answer != Answer::HostEnded) MarkHostWarm();
    if (answer != Answer::Given) {
        // A host that cannot be reaped may still write into the blocks: they are never given back.
        if (!host || !host->Stop()) {
            data.Abandon();
            status.Abandon();
        }
        ReportDriverNotAnswering();
        return false;
    }
    std::memcpy(record, data.Flat(), recordSize);
    // The answer is complete: the user interface goes on while the host ends, one call per move of a
    // track bar included.
    if (host) host->EndInBackground(HostExitGrace);
    return true;
}

} // namespace driver
