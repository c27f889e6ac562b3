#include "toolkit/message_box_dialog.h"

#include "toolkit/win_control.h"
#include "toolkit/window_table.h"

#include <QMessageBox>

namespace tk {
namespace {

constexpr win::UINT kIconMask = 0xF0;

QMessageBox::Icon IconOf(win::UINT type) {
    switch (type & kIconMask) {
    case win::MB_ICONHAND: return QMessageBox::Critical;
    case win::MB_ICONQUESTION: return QMessageBox::Question;
    case win::MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case win::MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace

win::INT ShowMessageBoxDialog(win::HWND owner, std::string_view text, std::string_view caption, win::UINT type) {
    QWidget* parent = nullptr;
    if (TWinControl* control = WindowTable::Find(owner)) parent = control->Widget()->window();
    QString body = FromUtf8(text);
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(IconOf(type), FromUtf8(caption), body, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return win::IDOK;
}

} // namespace tk
