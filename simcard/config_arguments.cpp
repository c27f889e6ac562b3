#include "simcard/config_arguments.h"

#include <vector>

namespace simcard {
namespace {

constexpr std::size_t kAddressDigits = 8;

std::optional<win::DWORD> UpperHexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

// "<tag>" followed by exactly 8 upper-case hex digits.
std::optional<win::DWORD> TaggedAddress(std::string_view word, char tag) {
    if (word.size() != 1 + kAddressDigits || word.front() != tag) return std::nullopt;
    win::DWORD address = 0;
    for (const char c : word.substr(1)) {
        const auto digit = UpperHexDigit(c);
        if (!digit) return std::nullopt;
        address = address << 4 | *digit;
    }
    return address;
}

std::vector<std::string_view> SplitAtBlanks(std::string_view text) {
    std::vector<std::string_view> words;
    for (std::size_t start = 0;;) {
        const std::size_t blank = text.find(' ', start);
        words.push_back(text.substr(start, blank - start));
        if (blank == std::string_view::npos) return words;
        start = blank + 1;
    }
}

std::string Malformed(std::string_view what) {
    return "malformed arguments: " + std::string(what);
}

} // namespace

ParsedConfigArguments ParseConfigArguments(std::string_view text) {
    const auto words = SplitAtBlanks(text);
    ParsedConfigArguments parsed;
    parsed.statusBlock = TaggedAddress(words.back(), '#');
    if (words.size() != 3) {
        parsed.problem = Malformed("expected a command and two addresses separated by single blanks");
        return parsed;
    }
    if (words[0].empty()) {
        parsed.problem = Malformed("no command name");
        return parsed;
    }
    const auto data = TaggedAddress(words[1], '$');
    if (!data) {
        parsed.problem = Malformed("the data block must be $ and 8 upper-case hex digits");
        return parsed;
    }
    if (!parsed.statusBlock) {
        parsed.problem = Malformed("the status block must be # and 8 upper-case hex digits");
        return parsed;
    }
    parsed.arguments = ConfigArguments{std::string(words[0]), *data, *parsed.statusBlock};
    return parsed;
}

} // namespace simcard
