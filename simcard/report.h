#pragma once
// One line on standard error for a problem the card met and worked around; caller text is escaped so
// that it stays one line.
#include <string_view>

namespace simcard {

void ReportProblem(std::string_view line);

} // namespace simcard
