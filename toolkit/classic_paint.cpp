#include "toolkit/classic_paint.h"

#include <QPainter>

namespace tk {

void DrawLine(QPainter& painter, TColor color, QPoint from, QPoint to) {
    const QColor pen = ToQColor(color);
    if (from.y() == to.y()) {
        const int step = to.x() > from.x() ? 1 : -1;
        const int length = std::abs(to.x() - from.x());
        if (length == 0) return;
        const int left = step > 0 ? from.x() : to.x() + 1;
        painter.fillRect(QRect(left, from.y(), length, 1), pen);
    } else if (from.x() == to.x()) {
        const int step = to.y() > from.y() ? 1 : -1;
        const int length = std::abs(to.y() - from.y());
        if (length == 0) return;
        const int top = step > 0 ? from.y() : to.y() + 1;
        painter.fillRect(QRect(from.x(), top, 1, length), pen);
    }
}

void Frame3D(QPainter& painter, QRect& rect, TColor topColor, TColor bottomColor, int width) {
    // Inclusive corners, as the classic frame is drawn with polylines through them.
    int left = rect.left();
    int top = rect.top();
    int right = rect.left() + rect.width() - 1;
    int bottom = rect.top() + rect.height() - 1;
    for (int ring = 0; ring < width && left <= right && top <= bottom; ++ring) {
        DrawLine(painter, topColor, QPoint(left, bottom), QPoint(left, top));
        DrawLine(painter, topColor, QPoint(left, top), QPoint(right, top));
        DrawLine(painter, bottomColor, QPoint(right, top), QPoint(right, bottom));
        DrawLine(painter, bottomColor, QPoint(right, bottom), QPoint(left - 1, bottom));
        ++left;
        ++top;
        --right;
        --bottom;
    }
    rect = QRect(left, top, std::max(0, right - left + 1), std::max(0, bottom - top + 1));
}

std::pair<TColor, TColor> BevelColors(TBevelCut cut) {
    if (cut == TBevelCut::bvLowered) return {clBtnShadow, clBtnHighlight};
    return {clBtnHighlight, clBtnShadow};
}

} // namespace tk
