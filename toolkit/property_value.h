#pragma once
// What a value written in a form description means for the property it is given to: numbers,
// strings, booleans, enumerations and sets by their names, colours, string lists, event handlers (bound
// to methods of the handler owner) and component references (resolved once the whole tree exists).
#include "toolkit/form_syntax.h"

#include <QMetaProperty>
#include <QVariant>
#include <functional>
#include <optional>

namespace tk {

struct PropertyValue {
    QVariant value;
    // Set instead of value for a component reference: the name to look up later.
    std::optional<QString> reference;
};

// Throws tk::Exception with the mistake (the caller adds file and line).
PropertyValue ConvertFormValue(const QMetaProperty& property, const FormValue& value, QObject* handlerOwner);

// Parsers for further property types; the parser throws tk::Exception for a value it cannot take.
using ValueParser = std::function<QVariant(const FormValue& value)>;
void RegisterValueParser(QMetaType type, ValueParser parser);

// Where the form reader finds a component that a property references.
bool IsComponentReference(const QMetaProperty& property);

} // namespace tk
