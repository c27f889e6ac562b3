#pragma once
// Measuring captions for controls that size themselves to their text. Laying out a text costs Qt far
// more than placing the control, and forms repeat a few captions in a few fonts, so the results are
// kept for the run (the fonts are sized in pixels, so a screen change does not alter them).
#include <QRect>

class QFont;
class QString;

namespace tk {

struct TextExtent {
    QRect bounds;   // pixels, as QFontMetrics::boundingRect gives them
    int lineHeight; // pixels
};

// The text laid out with the Qt::TextFlag and alignment flags in a rectangle width pixels wide.
TextExtent MeasureText(const QFont& font, const QString& text, int flags, int width);

} // namespace tk
