#include "toolkit/icons.h"

#include <QDir>
#include <QHash>

namespace tk {
namespace {

struct IconTable {
    QHash<win::HICON, QIcon> icons;
    win::HICON lastHandle = 0;
};

// User-interface thread only, like the rest of the toolkit.
IconTable& Table() {
    static IconTable table;
    return table;
}

} // namespace

QIcon IconFromHandle(win::HICON handle) { return Table().icons.value(handle); }

} // namespace tk

namespace win {

HICON LoadIconA(HINSTANCE, LPCSTR lpIconName) {
    if (!lpIconName) return 0;
    const QDir folder(QStringLiteral(":/icons/") + QString::fromUtf8(lpIconName));
    QIcon icon;
    for (const QString& file : folder.entryList(QDir::Files, QDir::Name)) icon.addFile(folder.filePath(file));
    if (icon.isNull()) return 0;
    tk::IconTable& table = tk::Table();
    table.icons.insert(++table.lastHandle, icon);
    return table.lastHandle;
}

BOOL DestroyIcon(HICON hIcon) { return tk::Table().icons.remove(hIcon) ? TRUE : FALSE; }

} // namespace win
