#include "toolkit/label.h"

#include "toolkit/bracket_piece.h"
#include "toolkit/text_extent.h"

#include <QPainter>

namespace tk {

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 17); }

void TCustomLabel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout layout) {
    layout_ = layout;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool show) {
    showAccelChar_ = show;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool wordWrap) {
    wordWrap_ = wordWrap;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::TextChanged() {
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

int TCustomLabel::MeasureFlags() const {
    return Qt::TextExpandTabs | (wordWrap_ ? Qt::TextWordWrap : Qt::TextSingleLine) |
           (showAccelChar_ ? Qt::TextShowMnemonic : 0);
}

int TCustomLabel::TextFlags() const {
    int flags = MeasureFlags();
    switch (alignment_) {
    case TAlignment::taRightJustify: flags |= Qt::AlignRight; break;
    case TAlignment::taCenter: flags |= Qt::AlignHCenter; break;
    default: flags |= Qt::AlignLeft; break;
    }
    return flags;
}

void TCustomLabel::AdjustBounds() {
    if (!autoSize_ || IsLoading()) return;
    // An empty caption still has the height of a line.
    const QString text = Caption().isEmpty() ? QStringLiteral(" ") : DisplayText(Caption());
    if (IsBracketPiece(text)) {
        const QSize size = BracketPieceSize(Font()->ToQFont());
        SetBounds(Left(), Top(), size.width(), size.height());
        return;
    }
    const TextExtent extent = MeasureText(Font()->ToQFont(), text, MeasureFlags(), wordWrap_ ? Width() : 0x7FFF);
    const QRect& measured = extent.bounds;
    int left = Left();
    if (alignment_ == TAlignment::taRightJustify) left += Width() - measured.width();
    SetBounds(left, Top(), measured.width(), wordWrap_ ? measured.height() : extent.lineHeight);
}

void TCustomLabel::Paint(QPainter& painter) {
    const QRect rect = ClientRect();
    if (!transparent_) painter.fillRect(rect, ToQColor(Color()));
    int flags = TextFlags();
    switch (layout_) {
    case TTextLayout::tlCenter: flags |= Qt::AlignVCenter; break;
    case TTextLayout::tlBottom: flags |= Qt::AlignBottom; break;
    default: flags |= Qt::AlignTop; break;
    }
    const QFont font = Font()->ToQFont();
    painter.setFont(font);
    const QString text = DisplayText(Caption());
    const auto draw = [&](const QRect& where) {
        if (IsBracketPiece(text)) DrawBracketPiece(painter, where, text, font);
        else painter.drawText(where, flags, text);
    };
    if (!Enabled()) {
        painter.setPen(ToQColor(clBtnHighlight));
        draw(rect.translated(1, 1));
        painter.setPen(ToQColor(clBtnShadow));
    } else {
        painter.setPen(ToQColor(Font()->Color()));
    }
    draw(rect);
}

TLabel::TLabel(TComponent* owner) : TCustomLabel(owner) {}

} // namespace tk
