#include "toolkit/lifetime.h"

#include "toolkit/component.h"

#include <algorithm>
#include <vector>

namespace tk {
namespace {

std::vector<QPointer<TComponent>>& BusyComponents() {
    static std::vector<QPointer<TComponent>> busy;
    return busy;
}

std::vector<TComponent*>& PendingFrees() {
    static std::vector<TComponent*> pending;
    return pending;
}

int qtDispatchDepth = 0;

// Whether outer is inner itself or one of the components that own or show it.
bool IsWithin(const TComponent* inner, const TComponent* outer) {
    std::vector<const TComponent*> todo{inner};
    while (!todo.empty()) {
        const TComponent* next = todo.back();
        todo.pop_back();
        if (next == outer) return true;
        if (next->Owner()) todo.push_back(next->Owner());
        if (next->ParentComponent()) todo.push_back(next->ParentComponent());
    }
    return false;
}

} // namespace

BusyScope::BusyScope(TComponent* component) : component_(component) {
    BusyComponents().push_back(component_);
}

BusyScope::~BusyScope() {
    auto& busy = BusyComponents();
    const auto last = std::find(busy.rbegin(), busy.rend(), component_);
    if (last != busy.rend()) busy.erase(std::next(last).base());
    auto& pending = PendingFrees();
    for (auto ready = pending.begin(); ready != pending.end();) {
        if (HoldsBusy(*ready)) {
            ++ready;
            continue;
        }
        TComponent* component = *ready;
        pending.erase(ready);
        component->Destroy();
        ready = pending.begin(); // destroying may have freed other pending components
    }
}

bool BusyScope::HoldsBusy(const TComponent* component) {
    for (const auto& busy : BusyComponents())
        if (busy && IsWithin(busy, component)) return true;
    return false;
}

void BusyScope::Defer(TComponent* component) {
    auto& pending = PendingFrees();
    if (std::find(pending.begin(), pending.end(), component) == pending.end()) pending.push_back(component);
}

void BusyScope::Forget(const TComponent* component) {
    auto& pending = PendingFrees();
    pending.erase(std::remove(pending.begin(), pending.end(), component), pending.end());
}

QtDispatchScope::QtDispatchScope() { ++qtDispatchDepth; }
QtDispatchScope::~QtDispatchScope() { --qtDispatchDepth; }
bool QtDispatchScope::Active() { return qtDispatchDepth > 0; }

} // namespace tk
