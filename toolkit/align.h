#pragma once
// The layout of aligned controls inside a client rectangle: all top-aligned controls first (ordered by
// Top), then bottom (by bottom edge, lowest first), left (by Left), right (by right edge, rightmost
// first), and last the client-aligned ones, each taking what the earlier ones left.
#include "toolkit/types.h"

#include <QRect>
#include <vector>

namespace tk {

struct AlignedControl {
    TAlign align = TAlign::alNone;
    QRect bounds; // in the parent's client area
};

// The new bounds of every control, in the order given; the order given breaks ties.
std::vector<QRect> AlignControls(const QRect& clientRect, const std::vector<AlignedControl>& controls);

} // namespace tk
