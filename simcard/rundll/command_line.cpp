#include "simcard/rundll/command_line.h"

namespace rundll {
namespace {

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

bool IsSymbolName(std::string_view name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    for (char c : name) {
        const bool alphanumeric = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alphanumeric && c != '_') return false;
    }
    return true;
}

} // namespace

std::optional<Invocation> ParseCommandLine(std::string_view line, std::string& error) {
    const auto comma = line.find(',');
    if (comma == std::string_view::npos) {
        error = "expected LIBRARY,Entry [arguments]";
        return std::nullopt;
    }
    const std::string_view library = line.substr(0, comma);
    const std::string_view rest = line.substr(comma + 1);
    const auto blank = rest.find(' ');
    const std::string_view entry = rest.substr(0, blank);
    const std::string_view arguments =
        blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    if (!IsPlainFileName(library)) {
        error = "the library must be a file name in the host's folder: '" + std::string(library) + "'";
        return std::nullopt;
    }
    if (!IsSymbolName(entry)) {
        error = "not an entry point name: '" + std::string(entry) + "'";
        return std::nullopt;
    }
    return Invocation{std::string(library), std::string(entry), std::string(arguments)};
}

} // namespace rundll
