#pragma once
// Component classes by name, so that form descriptions and copies can create them. The toolkit's own
// classes are registered from the start; later layers register theirs with Register<T>().
#include <QMetaObject>
#include <QString>
#include <functional>

namespace tk {

class TComponent;

class ClassRegistry {
public:
    using Factory = std::function<TComponent*(TComponent* owner)>;

    // Registers T under its class name without namespace ("TPanel"); T needs a T(TComponent* owner).
    template <class T> static void Register() {
        Register(T::staticMetaObject, [](TComponent* owner) -> TComponent* { return new T(owner); });
    }
    static void Register(const QMetaObject& meta, Factory factory);

    // nullptr when no class of that name is registered.
    static const QMetaObject* Find(const QString& className);
    // A new component of the class, owned by owner; nullptr for an unregistered class.
    static TComponent* Create(const QString& className, TComponent* owner);
    static TComponent* Create(const QMetaObject& meta, TComponent* owner);

    // "tk::TPanel" -> "TPanel".
    static QString ShortName(const QMetaObject& meta);
};

} // namespace tk
