#include "tools/icon_drawing.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>

namespace tools {
namespace {

const QColor kOutline(0x0c, 0x1e, 0x3d);
const QColor kTileTop(0x3a, 0x6d, 0xb3);
const QColor kTileBottom(0x1c, 0x3e, 0x72);
const QColor kTrack(0x08, 0x12, 0x26);
const QColor kKnobFace(0xf2, 0xf2, 0xf2);
const QColor kKnobShadow(0x9a, 0xa4, 0xb0);
const QColor kKnobMark(0xd0, 0x40, 0x30);
const QColor kContact(0xe0, 0xb0, 0x30);

// Where each knob's top lies on its track's travel, 0 at the top, 1 at the bottom.
constexpr std::array<double, 3> kKnobPlaces{1.0 / 6, 5.0 / 6, 0.45};

// All in whole pixels of an icon size pixels square.
struct Layout {
    explicit Layout(int size)
        : size(size), margin(size / 24), outline(std::max(1, size / 48)),
          track(std::max(2, (size + 12) / 24)), knobWidth(track + 2 * std::max(1, size / 16)),
          knobHeight(std::max(3, size / 8)), connector(size / 8) {}

    QRect Tile() const { return {margin, margin, size - 2 * margin, size - 2 * margin}; }
    QRect Inside() const { return Tile().adjusted(outline, outline, -outline, -outline); }
    int TrackLeft(int index) const { return size * (index + 1) / 4 - track / 2; }

    int size;
    int margin;     // transparent border around the tile
    int outline;    // the tile's dark edge
    int track;      // a fader track's width
    int knobWidth;  // a knob's width
    int knobHeight; // a knob's height, its shaded foot included
    int connector;  // the height of the card's contact row
};

void DrawTile(QPainter& painter, const Layout& layout) {
    const double radius = layout.size / 12.0 + 1;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kOutline);
    painter.drawRoundedRect(QRectF(layout.Tile()), radius, radius);
    const QRect inside = layout.Inside();
    QLinearGradient shade(0, inside.top(), 0, inside.bottom() + 1);
    shade.setColorAt(0, kTileTop);
    shade.setColorAt(1, kTileBottom);
    painter.setBrush(shade);
    painter.drawRoundedRect(QRectF(inside), radius - layout.outline, radius - layout.outline);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// Gold contacts with gaps between them along the bottom of the tile; returns the row above them.
int DrawContacts(QPainter& painter, const Layout& layout) {
    const QRect inside = layout.Inside();
    const int width = std::max(1, layout.size / 24);
    const int pitch = width + std::max(1, layout.size / 48);
    const int height = std::max(1, layout.connector - 2);
    const int top = inside.bottom() - height - std::max(0, layout.size / 48);
    const int right = inside.right() - pitch;
    for (int left = inside.left() + pitch; left + width - 1 <= right; left += pitch)
        painter.fillRect(left, top, width, height, kContact);
    return top;
}

void DrawKnob(QPainter& painter, const Layout& layout, int left, int top) {
    painter.fillRect(left, top, layout.knobWidth, layout.knobHeight - 1, kKnobFace);
    painter.fillRect(left, top + layout.knobHeight - 1, layout.knobWidth, 1, kKnobShadow);
    if (layout.size < 32) return; // a mark would fill the whole face
    const int mark = std::max(1, layout.size / 48);
    painter.fillRect(left + 1, top + (layout.knobHeight - 1 - mark) / 2, layout.knobWidth - 2, mark,
                     kKnobMark);
}

// The tracks run from below the tile's top down to end (exclusive).
void DrawFaders(QPainter& painter, const Layout& layout, int end) {
    const int top = layout.Inside().top() + layout.size / 8;
    const int travel = end - top - layout.knobHeight;
    for (int index = 0; index < 3; ++index) {
        const int trackLeft = layout.TrackLeft(index);
        painter.fillRect(trackLeft, top, layout.track, end - top, kTrack);
        const int knobLeft = trackLeft + layout.track / 2 - layout.knobWidth / 2;
        DrawKnob(painter, layout, knobLeft, top + int(kKnobPlaces[std::size_t(index)] * travel + 0.5));
    }
}

} // namespace

QImage DrawIcon(IconKind kind, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const Layout layout(size);
    QPainter painter(&image);
    DrawTile(painter, layout);
    const int end = kind == IconKind::card ? DrawContacts(painter, layout) - std::max(1, size / 24)
                                           : layout.Inside().bottom() + 1 - size / 8;
    DrawFaders(painter, layout, end);
    return image;
}

} // namespace tools
