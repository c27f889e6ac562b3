#pragma once
// A function that the user interface installs for platform code to call (the message poster, the
// window positioner): read from any thread, replaced atomically.
#include <atomic>

namespace platform {

template <class Function> class InstalledHook {
public:
    // Returns the function that it replaces.
    Function Install(Function function) { return current_.exchange(function); }
    Function Get() const { return current_.load(); }

private:
    std::atomic<Function> current_{nullptr};
};

} // namespace platform
