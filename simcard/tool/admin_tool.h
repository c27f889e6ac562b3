#pragma once
// The kova2-card admin tool: shows and changes the simulated card.
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

namespace simcard {

constexpr int kToolOk = 0;
constexpr int kToolFailed = 1; // the change could not be made
constexpr int kToolBadUsage = 2;

// A bad argument: reported with the usage.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Runs the tool with its arguments (without the program name) and returns the exit status.
int RunAdminTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace simcard
