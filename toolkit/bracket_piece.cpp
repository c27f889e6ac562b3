#include "toolkit/bracket_piece.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

namespace tk {
namespace {

constexpr char16_t kLowerLeftCorner = 0x23A3;
constexpr char16_t kLowerRightCorner = 0x23A6;

} // namespace

bool IsBracketPiece(const QString& text) {
    return text.size() == 1 && (text[0] == QChar(kLowerLeftCorner) || text[0] == QChar(kLowerRightCorner));
}

QSize BracketPieceSize(const QFont& font) {
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(QLatin1Char('[')), metrics.height()};
}

void DrawBracketPiece(QPainter& painter, const QRect& rect, const QString& text, const QFont& font) {
    const QSize size = BracketPieceSize(font);
    const int baseline = rect.top() + QFontMetrics(font).ascent();
    const int left = rect.left() + size.width() / 4;
    const int right = rect.left() + size.width() - 1 - size.width() / 4;
    const bool leftCorner = text[0] == QChar(kLowerLeftCorner);
    const int stem = leftCorner ? left : right;
    // Filled pixel rectangles rather than pen strokes: a one-pixel pen at a scale of 1.5 straddles the
    // device pixels around its logical line, and at a label's edge the half outside the label's own
    // device pixels is cut off. A filled rectangle's edges round to device pixels the way the label's
    // own edges do, so the stem and the foot meet and stay inside the label at every scale.
    const QBrush ink = painter.pen().brush();
    painter.fillRect(QRect(QPoint(stem, rect.top()), QPoint(stem, baseline)), ink);
    painter.fillRect(QRect(QPoint(left, baseline), QPoint(right, baseline)), ink);
}

} // namespace tk
