#include "toolkit/system_menu.h"

#include "toolkit/form.h"
#include "platform/win_messages.h"

#include <QMenu>
#include <QPointer>
#include <algorithm>
#include <atomic>

namespace tk {
namespace {

win::HMENU NextMenuHandle() {
    static std::atomic<win::HMENU> next{0x00020000};
    return next += 2;
}

} // namespace

TSystemMenu::TSystemMenu(TForm* form) : form_(form), handle_(NextMenuHandle()) {
    Append(SC_RESTORE, QStringLiteral("&Wiederherstellen"), false);
    Append(SC_MINIMIZE, QStringLiteral("Mi&nimieren"), false);
    AppendSeparator();
    Append(SC_CLOSE, QStringLiteral("&Schließen"), false);
}

void TSystemMenu::AppendSeparator() { entries_.push_back(Entry{}); }

void TSystemMenu::Append(win::UINT command, const QString& text, bool checked) {
    entries_.push_back(Entry{command, text, checked});
}

bool TSystemMenu::Modify(win::UINT command, const QString& text, bool checked) {
    const auto entry = std::find_if(entries_.begin(), entries_.end(),
                                    [command](const Entry& e) { return e.command == command; });
    if (command == 0 || entry == entries_.end()) return false;
    entry->text = text;
    entry->checked = checked;
    return true;
}

void TSystemMenu::Popup(QPoint screenPosition) {
    QMenu menu;
    for (const Entry& entry : entries_) {
        if (entry.command == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(entry.text);
        action->setData(entry.command);
        action->setCheckable(entry.checked);
        action->setChecked(entry.checked);
    }
    QPointer<TForm> form = form_;
    const QAction* chosen = menu.exec(screenPosition);
    if (chosen && form) form->Perform(win::WM_SYSCOMMAND, chosen->data().toUInt(), 0);
}

} // namespace tk
