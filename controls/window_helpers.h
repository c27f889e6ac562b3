#pragma once
// Small window utilities: system-menu entries that mirror a window's control panel, stay-on-top, and
// closing and freeing a form held in a variable.
#include "platform/win_types.h"
#include "toolkit/form.h"

class QObject;

namespace tk {
class TControl;
class TWinControl;
} // namespace tk

namespace controls {

// The command of the system-menu entry that stands for object; a window's WM_SYSCOMMAND handler
// compares the message's word parameter with it. Unique among living objects, a multiple of 16 below
// the system's own commands (0xF000 and up), so that no entry is taken for close or minimise.
win::UINT SystemMenuCommand(const QObject* object);

// Appends to the system menu of controlPanel's form: a separator, one entry per check box of the panel
// ordered by column and row (a box at (0, 0) or at the place of an earlier one is left out), an extra
// separator if asked, " Fenstersteuerung anzeigen" for the panel and " Info..." for infoItem. Returns
// the menu's handle, 0 when the panel is on no form.
win::HMENU AddSystemMenuEntries(tk::TWinControl* controlPanel, const QObject* infoItem, bool extraSeparator);
// Refreshes the entry of a check box (its caption and state), a panel (its visibility) or a form (its
// hints); nullptr does nothing.
void UpdateSystemMenuEntry(tk::TControl* control);

// Keeps the form above all other windows, or stops it, without moving or activating it. Nothing
// happens when the window already has that state: changing it re-creates the native window.
void SetStayOnTop(tk::TForm* form, bool onTop);

// Closes the form (its close handler runs), frees it and clears the variable; nothing when it is empty.
void CloseAndFree(tk::TForm* form);
template <class T> void CloseAndFreeForm(T*& form) {
    T* closing = form;
    form = nullptr;
    CloseAndFree(closing);
}

} // namespace controls
