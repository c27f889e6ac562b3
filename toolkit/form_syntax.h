#pragma once
// The syntax of form descriptions: the tree of objects with their property lines, before any of it
// means anything.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace tk {

struct FormValue {
    enum class Kind { Integer, String, Identifier, Set, List };
    Kind kind = Kind::Integer;
    qint64 integer = 0;  // Integer
    QString text;        // String, Identifier
    QStringList items;   // Set: identifiers; List: strings
};

struct FormProperty {
    QStringList path; // "Font.Name" is {"Font", "Name"}
    FormValue value;
    int line = 0;
};

struct FormObject {
    QString name;
    QString className;
    int line = 0;
    std::vector<FormProperty> properties;
    std::vector<FormObject> children;
};

// Throws EFormError naming fileName and the line for any syntax mistake.
FormObject ParseFormDescription(QStringView text, const QString& fileName);

} // namespace tk
