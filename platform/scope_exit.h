#pragma once
// Runs a function on every way out of a scope, also when what the scope guards throws: a flag that
// guards against re-entry is cleared, a stopped timer runs again.
#include <utility>

namespace platform {

template <class Function> class ScopeExit {
public:
    explicit ScopeExit(Function function) : function_(std::move(function)) {}
    ~ScopeExit() { function_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Function function_;
};

} // namespace platform
