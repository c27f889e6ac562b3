#pragma once
// The silent abort: raised when a control handle cannot be opened. Callers catch it and say nothing;
// it shares its base with the toolkit's abort, so the application's error display never shows it.
#include "platform/silent_abort.h"
#include "platform/win_types.h"

#include <exception>

namespace driver {

class SilentAbort : public std::exception, public platform::SilentAbortBase {
public:
    explicit SilentAbort(win::UINT result) : result_(result) {}
    // The open's result, for tests and traces; never shown.
    win::UINT Result() const { return result_; }
    const char* what() const noexcept override { return "control handle could not be opened"; }

private:
    win::UINT result_; // MMRESULT, nonzero
};

} // namespace driver
