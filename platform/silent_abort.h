#pragma once
// The one silent abort: an end of the current operation that nobody reports. The toolkit's abort and
// the driver's failed control open both derive from it, so that the application's error display and
// every catch that must stay quiet treat them alike.
namespace platform {

class SilentAbortBase {
public:
    virtual ~SilentAbortBase() = default;

protected:
    SilentAbortBase() = default;
    SilentAbortBase(const SilentAbortBase&) = default;
    SilentAbortBase& operator=(const SilentAbortBase&) = default;
};

} // namespace platform
