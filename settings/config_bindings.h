#pragma once
// Which control of the settings dialog shows which field of a card's record, and how: one table for
// showing a record and for writing a control's state back into it.
#include "driver/config_records.h"

namespace tk {
class TComponent;
}

namespace settings {

// Shows the record's field(s) bound to the control (a bound control, or the panel of a radio group).
// A value outside the control's set leaves a radio group or list without a choice. Controls run their
// own handlers as a click does.
void ShowField(tk::TComponent* control, const driver::CardConfig& record);

// Writes the state of the bound control that changed (the control, or the panel of a radio) into the
// record; a radio group or list without a valid choice leaves the field as it is.
void WriteField(tk::TComponent* control, driver::CardConfig& record);

} // namespace settings
