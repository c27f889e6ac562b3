#include "toolkit/panel.h"

#include "toolkit/classic_paint.h"

#include <QPainter>
#include <QWidget>

namespace tk {
namespace {

Qt::Alignment TextAlignment(TAlignment alignment) {
    switch (alignment) {
    case TAlignment::taLeftJustify: return Qt::AlignLeft;
    case TAlignment::taRightJustify: return Qt::AlignRight;
    default: return Qt::AlignHCenter;
    }
}

} // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TWinControl(owner) {
    Widget()->setAttribute(Qt::WA_OpaquePaintEvent);
    SetParentColor(false);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut cut) {
    if (cut == bevelInner_) return;
    bevelInner_ = cut;
    ClientAreaChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut cut) {
    if (cut == bevelOuter_) return;
    bevelOuter_ = cut;
    ClientAreaChanged();
}

void TCustomPanel::SetBevelWidth(int width) {
    width = std::max(1, width);
    if (width == bevelWidth_) return;
    bevelWidth_ = width;
    ClientAreaChanged();
}

void TCustomPanel::SetBorderWidth(int width) {
    width = std::max(0, width);
    if (width == borderWidth_) return;
    borderWidth_ = width;
    ClientAreaChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    ClientAreaChanged();
}

void TCustomPanel::SetCtl3D(bool ctl3D) {
    if (ctl3D == ctl3D_) return;
    ctl3D_ = ctl3D;
    ClientAreaChanged();
}

QMargins TCustomPanel::NonClientMargins() const {
    if (borderStyle_ == TBorderStyle::bsNone) return {};
    const int edge = ctl3D_ ? 2 : 1;
    return QMargins(edge, edge, edge, edge);
}

QRect TCustomPanel::AlignRect() const {
    int inset = borderWidth_;
    if (bevelOuter_ != TBevelCut::bvNone) inset += bevelWidth_;
    if (bevelInner_ != TBevelCut::bvNone) inset += bevelWidth_;
    return ClientRect().adjusted(inset, inset, -inset, -inset);
}

void TCustomPanel::PaintNonClient(QPainter& painter) {
    if (borderStyle_ == TBorderStyle::bsNone) return;
    QRect rect = Widget()->rect();
    if (ctl3D_) {
        Frame3D(painter, rect, clBtnShadow, clBtnHighlight, 1);
        Frame3D(painter, rect, cl3DDkShadow, cl3DLight, 1);
    } else {
        Frame3D(painter, rect, clWindowFrame, clWindowFrame, 1);
    }
}

void TCustomPanel::Paint(QPainter& painter) {
    QRect rect = ClientRect();
    if (bevelOuter_ != TBevelCut::bvNone) {
        const auto [top, bottom] = BevelColors(bevelOuter_);
        Frame3D(painter, rect, top, bottom, bevelWidth_);
    }
    Frame3D(painter, rect, Color(), Color(), borderWidth_);
    if (bevelInner_ != TBevelCut::bvNone) {
        const auto [top, bottom] = BevelColors(bevelInner_);
        Frame3D(painter, rect, top, bottom, bevelWidth_);
    }
    painter.fillRect(rect, ToQColor(Color()));
    if (Caption().isEmpty()) return;
    painter.setFont(Font()->ToQFont());
    painter.setPen(ToQColor(Enabled() ? Font()->Color() : clGrayText));
    painter.drawText(rect, int(TextAlignment(alignment_) | Qt::AlignVCenter) | Qt::TextSingleLine | Qt::TextShowMnemonic,
                     DisplayText(Caption()));
}

TPanel::TPanel(TComponent* owner) : TCustomPanel(owner) {}

} // namespace tk
