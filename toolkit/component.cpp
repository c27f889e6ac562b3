#include "toolkit/component.h"

#include "toolkit/errors.h"
#include "toolkit/lifetime.h"

#include <QRegularExpression>
#include <algorithm>

namespace tk {
namespace {

bool IsIdentifier(const QString& name) {
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return identifier.match(name).hasMatch();
}

} // namespace

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    if (!destroying_)
        qFatal("component %s was deleted; components are freed with Free()", qPrintable(objectName()));
    DestroyComponents(); // those created while the object was being destroyed
    if (owner_) owner_->RemoveComponent(this);
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    const auto& list = owner_->components_;
    const auto found = std::find(list.begin(), list.end(), this);
    return found == list.end() ? -1 : int(found - list.begin());
}

TComponent* TComponent::FindComponent(const QString& name) const {
    if (name.isEmpty()) return nullptr;
    for (TComponent* component : components_)
        if (component->name_.compare(name, Qt::CaseInsensitive) == 0) return component;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->owner_ == this) return;
    if (!component->name_.isEmpty() && FindComponent(component->name_))
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(component->name_));
    if (component->owner_) component->owner_->RemoveComponent(component);
    component->owner_ = this;
    components_.push_back(component);
}

void TComponent::RemoveComponent(TComponent* component) {
    const auto found = std::find(components_.begin(), components_.end(), component);
    if (found != components_.end()) components_.erase(found);
    component->owner_ = nullptr;
}

void TComponent::SetName(const QString& name) {
    if (name == name_) return;
    if (!name.isEmpty() && !IsIdentifier(name))
        throw EComponentError(QStringLiteral("\"%1\" is not a valid component name").arg(name));
    if (owner_) {
        const TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            throw EComponentError(QStringLiteral("A component named %1 already exists").arg(name));
    }
    name_ = name;
    setObjectName(name);
}

void TComponent::SetParentComponent(TComponent* parent) {
    throw EComponentError(QStringLiteral("%1 cannot be placed inside %2").arg(name_, parent->Name()));
}

void TComponent::Loaded() { loading_ = false; }

void TComponent::Free() {
    if (destroying_) return;
    if (BusyScope::HoldsBusy(this)) {
        BusyScope::Defer(this);
        return;
    }
    Destroy();
}

void TComponent::BeforeDestruction() { DestroyComponents(); }

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        components_.pop_back();
        last->Destroy();
    }
}

void TComponent::Destroy() {
    if (destroying_) return;
    destroying_ = true;
    BusyScope::Forget(this);
    BeforeDestruction();
    delete this;
}

} // namespace tk
