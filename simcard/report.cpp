#include "simcard/report.h"

#include "simcard/escape.h"

#include <string>
#include <unistd.h>

namespace simcard {

void ReportProblem(std::string_view line) {
    // One write, so that lines of concurrent processes do not mix.
    const std::string text = "kova2 card: " + Escaped(line) + "\n";
    [[maybe_unused]] const auto written = write(STDERR_FILENO, text.data(), text.size());
}

} // namespace simcard
