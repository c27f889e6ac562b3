#pragma once
// The card's trace: every call the card receives, one line each, in trace.log in the runtime folder,
// recorded only while tracing is on (a switch in the card state: off by default and after a reset).
//
// Line format, fields separated by single blanks:
//     <pid> <source> <call> -> <outcome>
//   pid      the process that received the call (the rundll host for configuration calls, the
//            program for wave messages)
//   source   "config" for DriverConfig calls; "wavein" and "waveout" for messages to the wave driver's
//            input and output entry points
//   call     for "config": the argument string as received, e.g. getstates $12340000 #12300000;
//            for wave messages: dev=<device number> inst=<handle> msg=0x<code, 4 hex digits> and the
//            parameters: for an open, format=control (or format=<tag>/<channels>/<Hz>/<bits>/<extra
//            bytes>, or format=none) and flags=0x<8 hex>, inst being the new handle (0 when refused);
//            for a capabilities request size=<bytes>; for every other message p1=0x<hex> p2=0x<hex>,
//            at least 8 digits each. inst is 0 for messages to a device rather than a handle, e.g.
//                wavein dev=0 inst=3 msg=0x4033 p1=0x64005F00 p2=0x00000000
//            Bytes outside printable ASCII and the backslash are written as \xNN, and a call longer
//            than 200 bytes is cut there and marked with "..."
//   outcome  for "config": "done" when the card carried the call out, "refused: <reason>" when not;
//            for wave messages: the result as a decimal number (the device count for the count
//            request), followed by ": <reason>" when the card refused; escaped as above
// Each line is appended with one write to a file opened with O_APPEND, so lines of concurrent processes
// never interleave.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace simcard {

class StateFile;

struct TraceLine {
    long pid;          // the process that wrote the line
    std::string event; // the line after the pid: source, call, outcome
};

std::filesystem::path TracePath();
// Reads the card state, which may take its lock: not from inside a StateFile::Access, where
// CardStateLayout::traceEnabled is at hand.
bool TraceEnabled();
// The same for a state the caller already looked up.
bool TraceEnabled(StateFile& state);
// Both return false, after saying why on stderr, when the runtime folder refuses the change.
bool SetTraceEnabled(bool enabled);
bool ClearTrace();

// The lines of the trace, oldest first; a line that does not start with a pid has pid 0.
std::vector<TraceLine> ReadTrace();
// The same lines as written.
std::vector<std::string> ReadTraceText();

// Appends "<pid> <source> <call> -> <outcome>" when tracing is on.
void TraceCall(std::string_view source, std::string_view call, std::string_view outcome);
// The same whether or not tracing is on, for callers that checked TraceEnabled() before building the
// line's parts.
void WriteTraceLine(std::string_view source, std::string_view call, std::string_view outcome);

} // namespace simcard
