#pragma once
// Which state of a component the window-state walk keeps, by class: the first row whose class the
// component has decides.
#include <QString>

namespace tk {
class TComponent;
}

namespace controls {

class TCustomIniFile;

struct ComponentState {
    bool (*matches)(tk::TComponent* component);
    // Reads the value named after the component from section, with its current state as default,
    // applies it and runs what has to follow.
    void (*restore)(tk::TComponent* component, TCustomIniFile& store, const QString& section);
    void (*save)(tk::TComponent* component, TCustomIniFile& store, const QString& section);
};

// nullptr for a class whose state is not kept.
const ComponentState* StateOf(tk::TComponent* component);

} // namespace controls
