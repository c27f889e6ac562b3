#include "simcard/driver_config.h"

#include "platform/wow16.h"
#include "simcard/config_arguments.h"
#include "simcard/config_commands.h"
#include "simcard/escape.h"
#include "simcard/report.h"
#include "simcard/state_file.h"
#include "simcard/trace.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <span>
#include <string>

namespace simcard {
namespace {

constexpr std::size_t kStatusBlockSize = 4;
constexpr std::size_t kMaxReportedBytes = 200;

std::string Address(char tag, win::DWORD address) {
    char text[16];
    std::snprintf(text, sizeof text, "%c%08X", tag, static_cast<unsigned>(address));
    return text;
}

void* MapBlock(win::DWORD address, std::size_t bytes) {
    return win::WOWGetVDMPointer(address, static_cast<win::DWORD>(bytes), win::TRUE);
}

// The status word is stored atomically, which needs a 4-byte aligned word; block starts always are.
void* MapStatusBlock(win::DWORD address) {
    void* status = MapBlock(address, kStatusBlockSize);
    return reinterpret_cast<std::uintptr_t>(status) % alignof(win::DWORD) == 0 ? status : nullptr;
}

std::string UnusableDataBlock(win::DWORD address, const ConfigCommandEntry& entry) {
    const std::string block = "data block " + Address('$', address);
    if (!MapBlock(address, 1)) return block + " is not in the shared memory";
    return block + " does not hold the " + std::to_string(entry.recordSize) + " bytes of " +
           std::string(entry.name);
}

// Carries out a well-formed call; returns the reason when it has to be refused.
std::optional<std::string> CarryOut(const ConfigArguments& arguments) {
    const auto entry = FindConfigCommand(arguments.command);
    if (!entry) return "unknown command \"" + arguments.command + "\"";
    if (!MapStatusBlock(arguments.statusBlock)) {
        return "status block " + Address('#', arguments.statusBlock) +
               " is not an aligned 4-byte block in the shared memory";
    }
    auto* data = static_cast<std::byte*>(MapBlock(arguments.dataBlock, entry->recordSize));
    if (!data) return UnusableDataBlock(arguments.dataBlock, *entry);
    ProcessCardState().Access([&](CardStateLayout& state) {
        ExecuteConfigCommand(entry->command, std::span(data, entry->recordSize), state);
    });
    return std::nullopt;
}

std::optional<std::string> Refusal(const ParsedConfigArguments& parsed) {
    if (!parsed.arguments) return parsed.problem;
    try {
        return CarryOut(*parsed.arguments);
    } catch (const std::exception& error) {
        return std::string("internal error: ") + error.what();
    }
}

// Trace first, status last: whoever sees the status finds the call in the trace.
void Finish(std::string_view arguments, std::optional<win::DWORD> statusBlock,
            const std::optional<std::string>& refusal) {
    void* status = statusBlock ? MapStatusBlock(*statusBlock) : nullptr;
    if (refusal) {
        ReportProblem("DriverConfig \"" + Shortened(arguments, kMaxReportedBytes) +
                      "\" refused: " + *refusal + (status ? "" : "; no status block to signal"));
    }
    TraceCall("config", arguments, refusal ? "refused: " + *refusal : "done");
    if (status) platform::StoreStatusWord(status, refusal ? kStatusRefused : kStatusDone);
}

void RunConfigCall(const char* text) {
    const ParsedConfigArguments parsed =
        text ? ParseConfigArguments(text) : ParsedConfigArguments{{}, {}, "no argument string"};
    Finish(text ? text : "", parsed.statusBlock, Refusal(parsed));
}

} // namespace
} // namespace simcard

extern "C" __attribute__((visibility("default"))) void DriverConfig(win::HWND, win::HINSTANCE,
                                                                    win::LPSTR lpszCmdLine, win::INT) {
    try {
        simcard::RunConfigCall(lpszCmdLine);
    } catch (...) {
        simcard::ReportProblem("DriverConfig failed without a status");
    }
}
