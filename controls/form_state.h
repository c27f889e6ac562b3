#pragma once
// Window state between runs: the marked components' states and a form's geometry in an ini-style
// store. A component takes part when it has a Name and its Tag holds every bit of the tag mask (-1:
// exactly the components tagged -1). Its value is named after it, in the section of its owner: the
// given section, or the owner's Name when that is empty; a component that owns components keeps theirs
// in the nested section "<section>.<its Name>".
#include <QString>

namespace tk {
class TComponent;
}

namespace controls {

class TCustomIniFile;

// Opens the store "software\holvar\" + storeName (creating its key) and restores form from it.
void LoadFormState(tk::TComponent* form, const QString& storeName, const QString& section, int tagMask,
                   bool withGeometry);
// The same, saving; the store is written to disk before it returns.
void SaveFormState(tk::TComponent* form, const QString& storeName, const QString& section, int tagMask,
                   bool withGeometry);

// The program's window state: the store "kova2mix.ini", the form's own section, the components tagged
// -1, geometry included. Every window keeps its state this way.
void LoadWindowState(tk::TComponent* form);
void SaveWindowState(tk::TComponent* form);

// Restores each marked component in creation order, nested owners first, and lets the pending
// messages run after each (so the click handlers that a restored state runs take effect as it goes);
// then, for a form with geometry, Top, Left, Width, Height and Hints.
void RestoreComponentStates(tk::TComponent* owner, TCustomIniFile& store, const QString& section, int tagMask,
                            bool withGeometry);
void SaveComponentStates(tk::TComponent* owner, TCustomIniFile& store, const QString& section, int tagMask,
                         bool withGeometry);

} // namespace controls
