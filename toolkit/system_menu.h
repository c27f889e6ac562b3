#pragma once
// A form's system menu. The window manager owns the title bar's menu on X11, so the program has its
// own, shown on a right click on the window and on the keyboard's menu key. It starts with restore,
// minimise and close; the program appends entries of its own. Choosing an entry sends WM_SYSCOMMAND
// with the entry's command id to the form.
#include "platform/win_types.h"

#include <QPoint>
#include <QString>
#include <vector>

namespace tk {

class TForm;

class TSystemMenu {
public:
    static constexpr win::UINT SC_MINIMIZE = 0xF020;
    static constexpr win::UINT SC_CLOSE = 0xF060;
    static constexpr win::UINT SC_RESTORE = 0xF120;

    struct Entry {
        win::UINT command = 0; // 0 for a separator
        QString text;
        bool checked = false;
    };

    explicit TSystemMenu(TForm* form);

    win::HMENU Handle() const { return handle_; }
    const std::vector<Entry>& Entries() const { return entries_; }
    void AppendSeparator();
    void Append(win::UINT command, const QString& text, bool checked);
    // Changes the entry with that command; false when there is none.
    bool Modify(win::UINT command, const QString& text, bool checked);
    // Shows the menu at a screen position and sends the chosen command to the form.
    void Popup(QPoint screenPosition);

private:
    TForm* form_;
    win::HMENU handle_;
    std::vector<Entry> entries_;
};

} // namespace tk
