#pragma once
// The names that screen readers read for the parts of a channel window that show no caption of
// their own, in German like every text the program builds. A strip control is named by its card's
// number, what it is and its side: "Karte #2 Eingang links" (an input fader), "Karte #2 Ausgang
// rechts" (an output fader), "Karte #2 Pegel rechts" (a meter), "Karte #2 Stumm links" (a mute
// button), "Karte #2 Fader verbinden" (a link box). A card's choice panel takes its title label's
// text ("Karte #2 Monitor"), a section the caption of the check box that shows it. The card's number
// is in the names also with one card, whose header band is hidden.
#include "driver/control_handles.h"

#include <QString>

namespace tk {
class TCheckBox;
class TComponent;
class TControl;
} // namespace tk

namespace windows {

// "Karte #<card + 1> <what> links|rechts"; side 0 is left, 1 right.
QString StripControlName(int card, const QString& what, int side);

// Names the faders (after the direction of what they set), meters, mute buttons, link boxes and
// choice panels of every card's strip that window owns.
void NameStripControls(const tk::TComponent& window, driver::Direction faders);

// The section is named as its check box is captioned.
void NameSection(tk::TControl* section, const tk::TCheckBox* box);

} // namespace windows
