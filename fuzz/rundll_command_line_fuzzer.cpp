// The rundll host's argument and the DriverConfig arguments inside it, on arbitrary text: a line is
// either refused with a reason or taken apart into parts that, put back together, give the line again;
// a library name never leads out of the host's folder.
#include "simcard/config_arguments.h"
#include "simcard/rundll/command_line.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::string Tagged(char tag, win::DWORD address) {
    char text[16];
    std::snprintf(text, sizeof text, "%c%08X", tag, unsigned(address));
    return text;
}

void CheckConfigArguments(std::string_view text) {
    const simcard::ParsedConfigArguments parsed = simcard::ParseConfigArguments(text);
    if (!parsed.arguments) {
        Check(!parsed.problem.empty());
        return;
    }
    const simcard::ConfigArguments& arguments = *parsed.arguments;
    Check(parsed.statusBlock == arguments.statusBlock);
    Check(arguments.command + " " + Tagged('$', arguments.dataBlock) + " " + Tagged('#', arguments.statusBlock) ==
          text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto invocation = rundll::ParseCommandLine(line, error);
    if (!invocation) {
        Check(!error.empty());
        CheckConfigArguments(line);
        return 0;
    }
    Check(invocation->library.find_first_of("/\\") == std::string::npos);
    Check(invocation->library != "." && invocation->library != "..");
    Check(!invocation->entry.empty());
    const std::string head = invocation->library + "," + invocation->entry;
    Check(line == head || line == head + " " + invocation->arguments);
    CheckConfigArguments(invocation->arguments);
    return 0;
}
