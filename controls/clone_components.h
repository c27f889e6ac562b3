#pragma once
// Copies a container's named child controls into a destination container, shifted by an offset, with
// the properties that each class keeps; panels and group boxes are copied with their own named
// children. The channel windows multiply their design-time strip per card with it.
//
// Guarantees: only children with a Name are copied (copies stay unnamed unless the callback names
// them, so a later call over the same container copies the templates again, not the copies); copies
// are made, and the callback called, in the container's child order (non-windowed children first,
// each group in insertion order), a panel before the children that fill it; when the callback runs,
// the copy has its final position, size and Tag and no parent; the copies are placed into Dest only
// after every child of Source was visited, so Source may be Dest. Copies are owned by the form of
// Source. What a copy does not keep: the bilingual captions and hints (it shows the current caption
// only), glyphs, a fader's LinkCheck, Color, Enabled and, except for the plain speed button, Visible;
// bilingual labels, buttons, check boxes and group boxes and plain bar graphs become their plain base
// class. Events are copied after the state they belong to, so no handler runs while a copy is made.
//
// No pending messages are handled during a call: copying four cards' strips takes a few milliseconds,
// and a timer or paint handler that ran in between would find the strips half built.
#include <functional>

namespace tk {
class TControl;
}

namespace controls {

// Called with a reference to each new copy. It may change the copy, name it, replace it, or free it and
// set the reference to nullptr, which drops it.
using TCloneEvent = std::function<void(tk::TControl*& copy)>;

// Throws tk::EInvalidCast when Source or Dest is not a windowed container, before anything is copied,
// and tk::EComponentError "CloneComponents: Komponentenklasse von <Name> nicht implementiert." for a
// named child of a class it cannot copy; then none of the call's copies is placed (those already made
// stay with the form).
void CloneComponents(tk::TControl* source, tk::TControl* dest, int dx, int dy, const TCloneEvent& onClone);

} // namespace controls
