#pragma once
// Drawing the classic way: lines that leave out their end pixel, and the 3-D frames of panels and
// bevels built from them.
#include "toolkit/color.h"
#include "toolkit/types.h"

#include <QPoint>
#include <QRect>

class QPainter;

namespace tk {

// A horizontal or vertical line from from up to, but not including, to.
void DrawLine(QPainter& painter, TColor color, QPoint from, QPoint to);
// Width rings inside rect: top and left in topColor, bottom and right in bottomColor. Shrinks rect by
// the rings drawn.
void Frame3D(QPainter& painter, QRect& rect, TColor topColor, TColor bottomColor, int width);
// The colours of a raised or lowered bevel cut: top-left, bottom-right.
std::pair<TColor, TColor> BevelColors(TBevelCut cut);

} // namespace tk
