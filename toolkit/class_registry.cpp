#include "toolkit/class_registry.h"

#include "toolkit/errors.h"
#include "toolkit/standard_classes.h"

#include <QHash>

namespace tk {
namespace {

struct Entry {
    const QMetaObject* meta;
    ClassRegistry::Factory factory;
};

QHash<QString, Entry>& Entries() {
    static QHash<QString, Entry> entries;
    return entries;
}

// The toolkit's classes, registered at the first look-up.
const QHash<QString, Entry>& Registered() {
    static bool standardRegistered = false;
    if (!standardRegistered) {
        standardRegistered = true;
        RegisterStandardClasses();
    }
    return Entries();
}

} // namespace

QString ClassRegistry::ShortName(const QMetaObject& meta) {
    const QString full = QString::fromLatin1(meta.className());
    return full.mid(full.lastIndexOf(QLatin1Char(':')) + 1);
}

void ClassRegistry::Register(const QMetaObject& meta, Factory factory) {
    const QString name = ShortName(meta);
    auto& entries = Entries();
    const auto existing = entries.constFind(name);
    if (existing != entries.constEnd() && existing->meta != &meta)
        throw EComponentError(QStringLiteral("Two component classes are named %1").arg(name));
    entries.insert(name, Entry{&meta, std::move(factory)});
}

const QMetaObject* ClassRegistry::Find(const QString& className) {
    const auto& entries = Registered();
    const auto found = entries.constFind(className);
    return found == entries.constEnd() ? nullptr : found->meta;
}

TComponent* ClassRegistry::Create(const QString& className, TComponent* owner) {
    const auto& entries = Registered();
    const auto found = entries.constFind(className);
    return found == entries.constEnd() ? nullptr : found->factory(owner);
}

TComponent* ClassRegistry::Create(const QMetaObject& meta, TComponent* owner) {
    const auto& entries = Registered();
    const auto found = entries.constFind(ShortName(meta));
    return found == entries.constEnd() || found->meta != &meta ? nullptr : found->factory(owner);
}

} // namespace tk
