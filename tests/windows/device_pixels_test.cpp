// Every channel window with four cards as screens at 150 % and 200 % show it, checked in device pixels:
// the lumis keep one height and one gap, the faders' knobs keep hard edges, the bracket pieces under
// the mute buttons stay whole lines. The logical layout cannot differ between scales; the device
// pixels can.
#include "tests/controls/device_pixel_picture.h"
#include "tests/windows/channel_window_fixture.h"
#include "toolkit/bracket_piece.h"
#include "toolkit/label.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>
#include <set>

namespace windows_test {
namespace {

using namespace device_pixels;

struct Scaled {
    WindowRow row;
    double scale;
};

void PrintTo(const Scaled& param, std::ostream* out) {
    *out << param.row.name << " at " << param.scale;
}

class DevicePixels : public ChannelWindowFixture, public testing::WithParamInterface<Scaled> {
protected:
    DevicePixels() : ChannelWindowFixture(GetParam().row) {}

    QImage Render() {
        Open(4);
        EXPECT_TRUE(window->Initialised());
        window->SetWidth(QWIDGETSIZE_MAX); // every card's strip in sight
        window->Perform(win::WM_LEVELPOLL, 0, 0);
        QWidget& shown = *window->Widget()->window();
        shown.grab(); // the first paint sets the faders up
        return RenderScaled(shown, GetParam().scale);
    }

    double Scale() const { return GetParam().scale; }
};

TEST_P(DevicePixels, EveryLumiOfEveryMeterHasOneHeightAndOneGap) {
    const QImage image = Render();
    std::vector<int> fills, gaps;
    for (int tag = 0; tag < 8; ++tag) {
        controls::TLevelMeter* meter = window->Meter(tag);
        ASSERT_NE(meter, nullptr) << tag;
        const LumiColumn column = ReadLumis(image, DeviceRect(*meter, Scale()));
        EXPECT_EQ(int(column.fills.size()), meter->LumiCount()) << "meter " << tag;
        EXPECT_EQ(column.foreignPixels, 0) << "meter " << tag;
        fills.insert(fills.end(), column.fills.begin(), column.fills.end());
        gaps.insert(gaps.end(), column.gaps.begin(), column.gaps.end());
    }
    ASSERT_FALSE(gaps.empty());
    EXPECT_LE(Spread(fills), 1) << "lumi heights in device pixels";
    EXPECT_EQ(Spread(gaps), 0) << "gaps between lumis in device pixels";
    // One line width in every window, wherever its meters sit: floor(scale) device pixels.
    EXPECT_EQ(gaps.front(), int(Scale()));
}

// The analog windows, whose strips have faders and mutes.
class FaderStripPixels : public DevicePixels {};

TEST_P(FaderStripPixels, KnobsHaveHardEdges) {
    const QImage image = Render();
    // The classic palette: frame, highlight, shadow, face. A blurred edge mixes two of them.
    static const std::set<QRgb> palette{kBlack, 0xFFFFFF, 0x808080, 0xC0C0C0, 0xDFDFDF};
    int knobs = 0; // all of them looked at
    for (int number = 0; number < 8; ++number) {
        auto* fader = Find<controls::TSlider>(QStringLiteral("Slider%1").arg(number));
        ASSERT_NE(fader, nullptr) << number;
        ASSERT_NE(fader->Knob(), nullptr) << number;
        ++knobs;
        const QRect knob = DeviceRect(*fader->Knob(), Scale());
        for (const int y : {knob.top() + 2, knob.center().y(), knob.bottom() - 2}) {
            for (int x = knob.left() - 2; x <= knob.right() + 2; ++x)
                EXPECT_TRUE(palette.count(Pixel(image, x, y)))
                    << "knob " << number << " at " << x << "," << y;
            EXPECT_EQ(Pixel(image, knob.left(), y), kBlack) << "knob " << number;
            EXPECT_EQ(Pixel(image, knob.right(), y), kBlack) << "knob " << number;
        }
    }
    EXPECT_EQ(knobs, 8);
}

// The dark pixels around a bracket piece's label, as sets of 4-connected pixels.
std::vector<std::vector<QPoint>> DarkShapes(const QImage& image, const QRect& area) {
    std::set<std::pair<int, int>> dark;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (Pixel(image, x, y) == kBlack) dark.insert({x, y});
    std::vector<std::vector<QPoint>> shapes;
    while (!dark.empty()) {
        std::vector<QPoint> shape;
        std::vector<std::pair<int, int>> open{*dark.begin()};
        dark.erase(dark.begin());
        while (!open.empty()) {
            const auto [x, y] = open.back();
            open.pop_back();
            shape.emplace_back(x, y);
            for (const auto& next :
                 {std::pair{x + 1, y}, std::pair{x - 1, y}, std::pair{x, y + 1}, std::pair{x, y - 1}})
                if (dark.erase(next)) open.push_back(next);
        }
        shapes.push_back(shape);
    }
    return shapes;
}

TEST_P(FaderStripPixels, BracketPiecesAreWholeCorners) {
    const QImage image = Render();
    int pieces = 0;
    for (tk::TComponent* component : window->ComponentList()) {
        auto* label = qobject_cast<tk::TLabel*>(component);
        if (!label || !tk::IsBracketPiece(label->Caption())) continue;
        ++pieces;
        const QRect area = DeviceRect(*label, Scale());
        const auto shapes = DarkShapes(image, area.adjusted(-1, -1, 1, 1));
        ASSERT_EQ(shapes.size(), 1u) << label->Name().toStdString() << " in " << shapes.size() << " pieces";
        QRect reach;
        for (const QPoint& point : shapes.front())
            reach |= QRect(point, QSize(1, 1));
        // The stem reaches from the label's top to the baseline, the foot runs sideways from it.
        EXPECT_GE(reach.height(), area.height() / 2) << label->Name().toStdString();
        EXPECT_GE(reach.width(), 2) << label->Name().toStdString();
    }
    EXPECT_EQ(pieces, 8); // two under each card's mutes
}

std::string ParamName(const testing::TestParamInfo<Scaled>& info) {
    return std::string(info.param.row.name) + (info.param.scale == 2.0 ? "At2" : "At1point5");
}

INSTANTIATE_TEST_SUITE_P(Windows, DevicePixels,
                         testing::Values(Scaled{AnalogInputRow(), 1.5}, Scaled{AnalogInputRow(), 2.0},
                                         Scaled{AnalogOutputRow(), 1.5}, Scaled{DigitalInputRow(), 1.5},
                                         Scaled{DigitalOutputRow(), 1.5}),
                         ParamName);
INSTANTIATE_TEST_SUITE_P(Windows, FaderStripPixels,
                         testing::Values(Scaled{AnalogInputRow(), 1.5}, Scaled{AnalogInputRow(), 2.0},
                                         Scaled{AnalogOutputRow(), 1.5}, Scaled{AnalogOutputRow(), 2.0}),
                         ParamName);

} // namespace
} // namespace windows_test
