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
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawLine(stem, rect.top(), stem, baseline);
    painter.drawLine(left, baseline, right, baseline);
    painter.restore();
}

} // namespace tk
