#include "toolkit/event_binding.h"

#include "toolkit/component.h"

#include <QHash>

namespace tk {
namespace {

QHash<int, EventBinder>& Binders() {
    static QHash<int, EventBinder> binders;
    return binders;
}

void RegisterStandardEventTypes() {
    static const bool registered = [] {
        RegisterEventType<TNotifyEvent>();
        RegisterEventType<TCloseEvent>();
        RegisterEventType<TMouseEvent>();
        RegisterEventType<TMouseMoveEvent>();
        return true;
    }();
    (void)registered;
}

QByteArray WithoutReference(QByteArray type) {
    type = QMetaObject::normalizedType(type.constData());
    if (type.endsWith('&')) type.chop(1);
    return type;
}

} // namespace

QString CheckHandlerSignature(const QMetaMethod& method, const QList<QMetaType>& parameters) {
    const QString name = QString::fromLatin1(method.methodSignature());
    if (method.parameterCount() != parameters.size())
        return QStringLiteral("%1 takes %2 parameters, the event passes %3")
            .arg(name)
            .arg(method.parameterCount())
            .arg(parameters.size());
    const QList<QByteArray> types = method.parameterTypes();
    for (int i = 0; i < parameters.size(); ++i) {
        const QMetaType declared = method.parameterMetaType(i);
        if (declared.isValid() && declared == parameters[i]) continue;
        if (WithoutReference(types[i]) == WithoutReference(parameters[i].name())) continue;
        return QStringLiteral("%1: parameter %2 should be %3")
            .arg(name)
            .arg(i + 1)
            .arg(QString::fromLatin1(parameters[i].name()));
    }
    return {};
}

void RegisterEventType(QMetaType type, EventBinder binder) { Binders().insert(type.id(), std::move(binder)); }

const EventBinder* FindEventBinder(QMetaType type) {
    RegisterStandardEventTypes();
    const auto found = Binders().constFind(type.id());
    return found == Binders().constEnd() ? nullptr : &found.value();
}

} // namespace tk
