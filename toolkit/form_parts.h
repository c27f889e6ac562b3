#pragma once
// The components that a form's code uses by name. A form lists them once (TForm::DeclareParts) and the
// form reader resolves them as it reads the description, into the form's typed members: a name that
// is missing, or that names a component of another class, fails the form's creation with the
// description's file and line, not later when the code that uses it first runs.
#include <QMetaObject>
#include <functional>
#include <vector>

namespace tk {

class TComponent;

class FormParts {
public:
    struct Part {
        const char* name;
        const QMetaObject* type; // the class the code needs; the component may derive from it
        std::function<void(TComponent*)> assign;
    };

    // slot receives the component named name, which must be a T.
    template <class T> void Add(const char* name, T*& slot) {
        parts_.push_back(
            {name, &T::staticMetaObject, [&slot](TComponent* found) { slot = static_cast<T*>(found); }});
    }

    const std::vector<Part>& List() const { return parts_; }

private:
    std::vector<Part> parts_;
};

} // namespace tk
