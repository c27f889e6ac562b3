#pragma once
// The bracket pieces U+23A3 and U+23A6 (the Symbol font's 0xEB and 0xFB) that join a strip's two mute
// buttons. The Liberation fonts lack them and a fallback font may be missing too, so a label whose
// text is one of them draws it with lines in the label's font metrics.
#include <QRect>
#include <QSize>

class QFont;
class QPainter;
class QString;

namespace tk {

bool IsBracketPiece(const QString& text);
// A piece is as wide as an opening bracket of the font and one line high.
QSize BracketPieceSize(const QFont& font);
// Draws the piece in text in the colour of the painter's pen, one logical pixel wide, its corner on the
// font's baseline.
void DrawBracketPiece(QPainter& painter, const QRect& rect, const QString& text, const QFont& font);

} // namespace tk
