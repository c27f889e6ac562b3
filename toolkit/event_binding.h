#pragma once
// Binding events by handler name, for the form reader: each event type that a published property uses
// is registered once with the way to bind it.
// The sender's class complete before any event type's parameter list is formed: clang instantiates
// the list's meta types where they are first named.
#include "toolkit/component.h"
#include "toolkit/event.h"

#include <QVariant>

namespace tk {

using EventBinder = std::function<std::optional<QVariant>(QObject* target, const QByteArray& name, QString* why)>;

void RegisterEventType(QMetaType type, EventBinder binder);
template <class Event> void RegisterEventType() {
    RegisterEventType(QMetaType::fromType<Event>(),
                      [](QObject* target, const QByteArray& name, QString* why) -> std::optional<QVariant> {
                          auto event = Event::Method(target, name, why);
                          if (!event) return std::nullopt;
                          return QVariant::fromValue(*event);
                      });
}
// nullptr when type is not an event type.
const EventBinder* FindEventBinder(QMetaType type);

} // namespace tk
