#include "toolkit/align.h"

#include <algorithm>
#include <numeric>

namespace tk {
namespace {

// Whether a goes before b among controls of one alignment.
bool Precedes(TAlign align, const QRect& a, const QRect& b) {
    switch (align) {
    case TAlign::alTop: return a.top() < b.top();
    case TAlign::alBottom: return a.top() + a.height() > b.top() + b.height();
    case TAlign::alLeft: return a.left() < b.left();
    case TAlign::alRight: return a.left() + a.width() > b.left() + b.width();
    default: return false;
    }
}

// Places one control in the free rectangle and takes its room from it.
QRect Place(TAlign align, const QRect& bounds, int& left, int& top, int& right, int& bottom) {
    const int freeWidth = std::max(0, right - left);
    const int freeHeight = std::max(0, bottom - top);
    switch (align) {
    case TAlign::alTop:
        top += bounds.height();
        return QRect(left, top - bounds.height(), freeWidth, bounds.height());
    case TAlign::alBottom:
        bottom -= bounds.height();
        return QRect(left, bottom, freeWidth, bounds.height());
    case TAlign::alLeft:
        left += bounds.width();
        return QRect(left - bounds.width(), top, bounds.width(), freeHeight);
    case TAlign::alRight:
        right -= bounds.width();
        return QRect(right, top, bounds.width(), freeHeight);
    case TAlign::alClient: return QRect(left, top, freeWidth, freeHeight);
    default: return bounds;
    }
}

} // namespace

std::vector<QRect> AlignControls(const QRect& clientRect, const std::vector<AlignedControl>& controls) {
    std::vector<QRect> result;
    result.reserve(controls.size());
    for (const auto& control : controls) result.push_back(control.bounds);
    int left = clientRect.left();
    int top = clientRect.top();
    int right = clientRect.left() + clientRect.width();
    int bottom = clientRect.top() + clientRect.height();
    for (TAlign align : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < controls.size(); ++i)
            if (controls[i].align == align) order.push_back(i);
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return Precedes(align, controls[a].bounds, controls[b].bounds);
        });
        for (std::size_t i : order) result[i] = Place(align, controls[i].bounds, left, top, right, bottom);
    }
    return result;
}

} // namespace tk
