#include "toolkit/group_box.h"

#include "toolkit/classic_paint.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

namespace tk {
namespace {

constexpr int kCaptionIndent = 8; // pixels from the frame's left edge to the caption

} // namespace

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
    Widget()->setAttribute(Qt::WA_OpaquePaintEvent);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::SetCtl3D(bool ctl3D) {
    ctl3D_ = ctl3D;
    parentCtl3D_ = false;
    Invalidate();
}

int TGroupBox::CaptionHeight() const { return QFontMetrics(Font()->ToQFont()).height(); }

QRect TGroupBox::AlignRect() const { return ClientRect().adjusted(2, CaptionHeight(), -2, -2); }

void TGroupBox::TextChanged() {
    Realign();
    Invalidate();
}

void TGroupBox::Paint(QPainter& painter) {
    painter.fillRect(ClientRect(), ToQColor(Color()));
    const QFont font = Font()->ToQFont();
    const int frameTop = CaptionHeight() / 2 - 1;
    QRect frame = ClientRect().adjusted(0, frameTop, 0, 0);
    if (ctl3D_) {
        QRect outer = frame.adjusted(1, 1, 0, 0);
        Frame3D(painter, outer, clBtnHighlight, clBtnHighlight, 1);
        QRect inner = frame.adjusted(0, 0, -1, -1);
        Frame3D(painter, inner, clBtnShadow, clBtnShadow, 1);
    } else {
        Frame3D(painter, frame, clWindowFrame, clWindowFrame, 1);
    }
    if (Caption().isEmpty()) return;
    const QString text = DisplayText(Caption());
    const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QRect measured = QFontMetrics(font).boundingRect(QRect(0, 0, 0x7FFF, 0x7FFF), flags, text);
    const QRect textRect(kCaptionIndent, 0, measured.width(), CaptionHeight());
    painter.fillRect(textRect, ToQColor(Color()));
    painter.setFont(font);
    painter.setPen(ToQColor(Enabled() ? Font()->Color() : clGrayText));
    painter.drawText(textRect, flags | Qt::AlignLeft | Qt::AlignTop, text);
}

} // namespace tk
