#pragma once
// The argument string of a DriverConfig call: "<command> $XXXXXXXX #YYYYYYYY", the command name, the data
// block's and the status block's 16:16 addresses as 8 upper-case hex digits, single blanks between.
#include "platform/win_types.h"

#include <optional>
#include <string>
#include <string_view>

namespace simcard {

struct ConfigArguments {
    std::string command;
    win::DWORD dataBlock;   // 16:16 address
    win::DWORD statusBlock; // 16:16 address
};

struct ParsedConfigArguments {
    std::optional<ConfigArguments> arguments; // set when the string is well-formed
    // The status block, also found in a malformed string when its last word is a well-formed "#YYYYYYYY",
    // so that the caller can still be told that the call is over.
    std::optional<win::DWORD> statusBlock;
    std::string problem; // why the string is malformed
};

ParsedConfigArguments ParseConfigArguments(std::string_view text);

} // namespace simcard
