#pragma once
// Pictures of a window as a screen with scale device pixels to the logical pixel shows the controls'
// own drawing, read in device pixels: where a control lies, and the lumis down a meter. (Qt's styled
// widgets, check boxes and the like, draw at the test program's own scale and look different here.)
#include "toolkit/control.h"

#include <QImage>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

namespace device_pixels {

constexpr QRgb kBlack = 0x000000;

inline QImage RenderScaled(QWidget& window, double scale) {
    const QSize size(int(std::ceil(window.width() * scale)), int(std::ceil(window.height() * scale)));
    QImage image(size, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(window.palette().window().color());
    window.render(&image);
    return image;
}

inline QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

// Where a control's widget lies in the picture: its logical edges, each rounded to device pixels.
inline QRect DeviceRect(const tk::TControl& control, double scale) {
    const QWidget* widget = control.Widget();
    const QRect logical(widget->mapTo(widget->window(), QPoint()), widget->size());
    const auto device = [scale](int coordinate) { return int(std::lround(coordinate * scale)); };
    return {QPoint(device(logical.left()), device(logical.top())),
            QPoint(device(logical.right() + 1) - 1, device(logical.bottom() + 1) - 1)};
}

// Down the middle column of a meter: the runs of lumi fill and the black lines between them.
struct LumiColumn {
    std::vector<int> fills;
    std::vector<int> gaps;
    int foreignPixels = 0; // in a fill, neither black nor one of the lumis' colours: a blend of two
};

inline LumiColumn ReadLumis(const QImage& image, const QRect& meter) {
    static const std::set<QRgb> lumiColours{0x808080, 0x00FF00, 0xFF8000, 0xFF0000};
    const int x = meter.center().x();
    int y = meter.top();
    while (y <= meter.bottom() && Pixel(image, x, y) != kBlack)
        ++y; // the bevel above the top lumi
    int lastBlack = meter.bottom();
    while (lastBlack > y && Pixel(image, x, lastBlack) != kBlack)
        --lastBlack;
    LumiColumn column;
    while (y <= lastBlack) {
        const bool black = Pixel(image, x, y) == kBlack;
        int end = y;
        for (; end <= lastBlack && (Pixel(image, x, end) == kBlack) == black; ++end)
            if (!black && !lumiColours.count(Pixel(image, x, end))) ++column.foreignPixels;
        (black ? column.gaps : column.fills).push_back(end - y);
        y = end;
    }
    // The frames above the top lumi and below the bottom one are no gaps.
    if (!column.gaps.empty()) column.gaps.erase(column.gaps.begin());
    if (!column.gaps.empty()) column.gaps.pop_back();
    return column;
}

// Largest minus smallest; 0 for none.
inline int Spread(const std::vector<int>& values) {
    if (values.empty()) return 0;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return *high - *low;
}

} // namespace device_pixels
