#include "simcard/trace.h"

#include "platform/paths.h"
#include "simcard/escape.h"
#include "simcard/report.h"
#include "simcard/state_file.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace simcard {
namespace {

constexpr std::size_t kMaxCallBytes = 200;

TraceLine ParseLine(const std::string& line) {
    long pid = 0;
    const char* end = line.data() + line.size();
    const auto [next, error] = std::from_chars(line.data(), end, pid);
    if (error != std::errc() || next == end || *next != ' ') return {0, line};
    return {pid, std::string(next + 1, end)};
}

} // namespace

fs::path TracePath() {
    return platform::RuntimeDir() / "trace.log";
}

bool TraceEnabled() {
    return TraceEnabled(ProcessCardState());
}

bool TraceEnabled(StateFile& state) {
    return state.Read([](const CardStateLayout& layout) { return layout.traceEnabled != 0; });
}

bool SetTraceEnabled(bool enabled) {
    StateFile& file = ProcessCardState();
    file.Access([enabled](CardStateLayout& state) { state.traceEnabled = enabled ? kTrue : kFalse; });
    if (file.shared()) return true;
    ReportProblem(std::string("cannot switch tracing ") + (enabled ? "on" : "off") +
                  ": the card state lives in " + "this process only");
    return false;
}

bool ClearTrace() {
    // Truncation is safe beside writers: they append at the end of whatever the file then holds.
    if (truncate(TracePath().c_str(), 0) == 0 || errno == ENOENT) return true;
    ReportProblem("cannot clear the trace: " + std::string(std::strerror(errno)));
    return false;
}

std::vector<std::string> ReadTraceText() {
    std::vector<std::string> lines;
    std::ifstream file(TracePath());
    for (std::string line; std::getline(file, line);)
        lines.push_back(std::move(line));
    return lines;
}

std::vector<TraceLine> ReadTrace() {
    std::vector<TraceLine> lines;
    for (const std::string& line : ReadTraceText())
        lines.push_back(ParseLine(line));
    return lines;
}

void TraceCall(std::string_view source, std::string_view call, std::string_view outcome) {
    if (TraceEnabled()) WriteTraceLine(source, call, outcome);
}

void WriteTraceLine(std::string_view source, std::string_view call, std::string_view outcome) {
    const std::string line = std::to_string(getpid()) + " " + std::string(source) + " " +
                             Escaped(Shortened(call, kMaxCallBytes)) + " -> " + Escaped(outcome) + "\n";
    const int fd = open(TracePath().c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) return;
    // One write per line: O_APPEND places it whole at the end, whoever else is writing.
    [[maybe_unused]] const auto written = write(fd, line.data(), line.size());
    close(fd);
}

} // namespace simcard
