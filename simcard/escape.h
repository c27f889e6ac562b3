#pragma once
// Text from callers made safe for one-line records: the trace and the messages on standard error.
#include <cstddef>
#include <string>
#include <string_view>

namespace simcard {

// Bytes outside printable ASCII, and the backslash, written as \xNN.
std::string Escaped(std::string_view text);

// The first maxBytes bytes, followed by "..." when the text was longer.
std::string Shortened(std::string_view text, std::size_t maxBytes);

} // namespace simcard
