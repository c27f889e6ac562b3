#pragma once
// What keeps components alive while their events run, and what makes Qt's callbacks safe to use.
#include "toolkit/errors.h"

#include <QPointer>
#include <exception>
#include <utility>

namespace tk {

class TComponent;

// Marks a component as inside one of its events: a Free() of it, of its owner or of its parent waits
// until the last such scope has ended.
class BusyScope {
public:
    explicit BusyScope(TComponent* component);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    // Whether Free(component) has to wait.
    static bool HoldsBusy(const TComponent* component);
    static void Defer(TComponent* component);
    static void Forget(const TComponent* component);

private:
    QPointer<TComponent> component_;
};

// Marks code that Qt called (an event, a signal): a widget freed meanwhile is deleted later by Qt's
// event loop, since Qt may still touch it after the callback returns.
class QtDispatchScope {
public:
    QtDispatchScope();
    ~QtDispatchScope();
    QtDispatchScope(const QtDispatchScope&) = delete;
    QtDispatchScope& operator=(const QtDispatchScope&) = delete;
    static bool Active();
};

// Runs toolkit code from a Qt callback: exceptions go to the application's error display, since they
// must not cross Qt's event loop.
template <class F> void RunFromQt(F&& function) {
    QtDispatchScope scope;
    try {
        std::forward<F>(function)();
    } catch (const std::exception& error) {
        HandleException(error);
    }
}

} // namespace tk
