#pragma once
// The rundll host's one argument: "LIBRARY,Entry arguments".
#include <optional>
#include <string>
#include <string_view>

namespace rundll {

struct Invocation {
    std::string library;   // a file name in the host's own folder
    std::string entry;     // an exported symbol
    std::string arguments; // handed to the entry as they are; may be empty
};

// Nullopt, with the reason in error, unless library and entry are given and the library names a
// plain file name (no folder, no "." or "..").
std::optional<Invocation> ParseCommandLine(std::string_view line, std::string& error);

} // namespace rundll
