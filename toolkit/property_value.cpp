#include "toolkit/property_value.h"

#include "toolkit/color.h"
#include "toolkit/component.h"
#include "toolkit/errors.h"
#include "toolkit/event_binding.h"

#include <QHash>
#include <QIcon>
#include <QMetaEnum>
#include <limits>

namespace tk {
namespace {

QString Quoted(const QString& text) { return QLatin1Char('\'') + text + QLatin1Char('\''); }

QString KindName(FormValue::Kind kind) {
    switch (kind) {
    case FormValue::Kind::Integer: return QStringLiteral("a number");
    case FormValue::Kind::String: return QStringLiteral("a string");
    case FormValue::Kind::Identifier: return QStringLiteral("a name");
    case FormValue::Kind::Set: return QStringLiteral("a set");
    default: return QStringLiteral("a list");
    }
}

void Require(const FormValue& value, FormValue::Kind kind, const QString& property) {
    if (value.kind != kind)
        throw Exception(QStringLiteral("%1 takes %2, not %3").arg(property, KindName(kind), KindName(value.kind)));
}

bool IsNil(const FormValue& value) {
    return value.kind == FormValue::Kind::Identifier && value.text.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0;
}

QVariant ParseColor(const FormValue& value) {
    if (value.kind == FormValue::Kind::Integer) {
        if (value.integer < std::numeric_limits<std::int32_t>::min() || value.integer > 0xFFFFFFFFLL)
            throw Exception(QStringLiteral("colour %1 is out of range").arg(value.integer));
        return QVariant::fromValue(TColor{std::int32_t(std::uint32_t(value.integer))});
    }
    if (value.kind == FormValue::Kind::Identifier) {
        if (const auto color = ColorFromName(value.text)) return QVariant::fromValue(*color);
        throw Exception(QStringLiteral("unknown colour %1").arg(value.text));
    }
    throw Exception(QStringLiteral("a colour is a number or a colour name, not %1").arg(KindName(value.kind)));
}

QVariant ParseIcon(const FormValue& value) {
    Require(value, FormValue::Kind::String, QStringLiteral("Icon"));
    const QIcon icon(value.text);
    if (icon.isNull()) throw Exception(QStringLiteral("no icon at %1").arg(Quoted(value.text)));
    return QVariant::fromValue(icon);
}

QHash<int, ValueParser>& Parsers() {
    static QHash<int, ValueParser> parsers{
        {QMetaType::fromType<TColor>().id(), ParseColor},
        {QMetaType::fromType<QIcon>().id(), ParseIcon},
    };
    return parsers;
}

QMetaEnum EnumOf(const QMetaProperty& property) {
    if (property.isEnumType()) return property.enumerator();
    const QMetaObject* scope = property.metaType().metaObject();
    if (!scope) return {};
    QByteArray name = property.metaType().name();
    name = name.mid(name.lastIndexOf(':') + 1);
    const int index = scope->indexOfEnumerator(name.constData());
    return index < 0 ? QMetaEnum() : scope->enumerator(index);
}

QString KeysOf(const QMetaEnum& meta) {
    QStringList keys;
    for (int i = 0; i < meta.keyCount(); ++i) keys.append(QString::fromLatin1(meta.key(i)));
    return keys.join(QStringLiteral(", "));
}

int KeyValue(const QMetaEnum& meta, const QString& key, const QString& property) {
    bool ok = false;
    const int value = meta.keyToValue(key.toLatin1().constData(), &ok);
    if (!ok) throw Exception(QStringLiteral("%1 is no value of %2 (%3)").arg(key, property, KeysOf(meta)));
    return value;
}

QVariant EnumValue(const QMetaProperty& property, const FormValue& value) {
    const QString name = QString::fromLatin1(property.name());
    const QMetaEnum meta = EnumOf(property);
    if (!meta.isValid() || property.metaType().sizeOf() != sizeof(int))
        throw Exception(QStringLiteral("the values of %1 have no names").arg(name));
    int bits = 0;
    if (meta.isFlag()) {
        Require(value, FormValue::Kind::Set, name);
        for (const QString& key : value.items) bits |= KeyValue(meta, key, name);
    } else {
        Require(value, FormValue::Kind::Identifier, name);
        bits = KeyValue(meta, value.text, name);
    }
    return QVariant(property.metaType(), &bits);
}

QVariant BoolValue(const FormValue& value, const QString& name) {
    Require(value, FormValue::Kind::Identifier, name);
    if (value.text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (value.text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    throw Exception(QStringLiteral("%1 takes True or False, not %2").arg(name, value.text));
}

QVariant NumberValue(const FormValue& value, QMetaType type, const QString& name) {
    Require(value, FormValue::Kind::Integer, name);
    QVariant number = QVariant::fromValue(value.integer);
    if (type.id() == QMetaType::Double) return double(value.integer);
    if (!number.convert(type) || number.toLongLong() != value.integer)
        throw Exception(QStringLiteral("%1 is out of range for %2").arg(value.integer).arg(name));
    return number;
}

} // namespace

bool IsComponentReference(const QMetaProperty& property) {
    const QMetaType type = property.metaType();
    return (type.flags() & QMetaType::PointerToQObject) && type.metaObject() &&
           type.metaObject()->inherits(&TComponent::staticMetaObject);
}

void RegisterValueParser(QMetaType type, ValueParser parser) { Parsers().insert(type.id(), std::move(parser)); }

PropertyValue ConvertFormValue(const QMetaProperty& property, const FormValue& value, QObject* handlerOwner) {
    const QMetaType type = property.metaType();
    const QString name = QString::fromLatin1(property.name());
    if (const EventBinder* binder = FindEventBinder(type)) {
        if (IsNil(value)) return {QVariant(type), {}};
        Require(value, FormValue::Kind::Identifier, name);
        QString why;
        auto bound = (*binder)(handlerOwner, value.text.toLatin1(), &why);
        if (!bound) throw Exception(QStringLiteral("no handler %1 for %2: %3").arg(value.text, name, why));
        return {*bound, {}};
    }
    if (IsComponentReference(property)) {
        Require(value, FormValue::Kind::Identifier, name);
        if (IsNil(value)) return {QVariant(type), {}};
        return {{}, value.text};
    }
    if (type.flags() & QMetaType::IsEnumeration) return {EnumValue(property, value), {}};
    if (const auto parser = Parsers().constFind(type.id()); parser != Parsers().constEnd())
        return {(*parser)(value), {}};
    switch (type.id()) {
    case QMetaType::Bool: return {BoolValue(value, name), {}};
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::Double: return {NumberValue(value, type, name), {}};
    case QMetaType::QString:
        Require(value, FormValue::Kind::String, name);
        return {value.text, {}};
    case QMetaType::QStringList:
        Require(value, FormValue::Kind::List, name);
        return {value.items, {}};
    default: break;
    }
    if (type.flags() & QMetaType::PointerToQObject)
        throw Exception(QStringLiteral("%1 is set through its own properties (%1.Name = ...)").arg(name));
    throw Exception(QStringLiteral("%1 cannot be written in a form description").arg(name));
}

} // namespace tk
