// Renders a fader and two meters and checks their classic drawing on the picture: the track's lowered
// groove, the knob's frame and mark, the lumis' frames and zone colours.
#include "controls/level_meter.h"
#include "controls/slider.h"
#include "tests/controls/device_pixel_picture.h"
#include "toolkit/form.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace controls;

namespace {

QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

constexpr QRgb kBlack = 0x000000;
constexpr QRgb kShadow = 0x808080;
constexpr QRgb kHighlight = 0xFFFFFF;
constexpr QRgb kFace = 0xC0C0C0;

TLevelMeter* AddMeter(tk::TForm* form, int left, int level) {
    auto* meter = new TLevelMeter(form);
    meter->SetParent(form);
    meter->SetBounds(left, 10, 18, 163);
    meter->SetLumiHeight(5);
    meter->SetNumLumisRed(1);
    meter->SetNumLumisOrange(12);
    meter->SetLevel(level);
    return meter;
}

TEST(FaderAndMeterRender, DrawTheGrooveTheKnobAndTheLumisClassically) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    form->SetClientWidth(100);
    form->SetClientHeight(180);
    auto* fader = new TSlider(form.get());
    fader->SetParent(form.get());
    fader->SetBounds(12, 12, 4, 112);
    fader->SetMoveRestriction(6);
    fader->SetBtnHeight(26);
    fader->SetBtnWidth(18);
    fader->SetPosition(100);
    AddMeter(form.get(), 40, 32767);
    AddMeter(form.get(), 70, 0);
    form->Show();
    form->Widget()->grab(); // the first paint sets the fader up and places its knob
    const QImage image = form->Widget()->grab().toImage();

    // The groove below the knob: shadow, two black columns, highlight.
    EXPECT_EQ(Pixel(image, 12, 100), kShadow);
    EXPECT_EQ(Pixel(image, 13, 100), kBlack);
    EXPECT_EQ(Pixel(image, 14, 100), kBlack);
    EXPECT_EQ(Pixel(image, 15, 100), kHighlight);
    // The knob at the top (Left 5, Top 5, 18 x 26): black frame, raised face, lowered mark at Top 11.
    EXPECT_EQ(Pixel(image, 5, 15), kBlack);
    EXPECT_EQ(Pixel(image, 22, 15), kBlack);
    EXPECT_EQ(Pixel(image, 6, 15), kHighlight);
    EXPECT_EQ(Pixel(image, 10, 9), kFace);
    EXPECT_EQ(Pixel(image, 10, 17), kShadow);
    EXPECT_EQ(Pixel(image, 10, 18), kHighlight);

    // The full meter: red top lumi, orange zone, lime below; frames of one black pixel shared.
    EXPECT_EQ(Pixel(image, 48, 10 + 2), 0xFF0000u);
    EXPECT_EQ(Pixel(image, 48, 10 + 4 * 12 + 2), 0xFF8000u);
    EXPECT_EQ(Pixel(image, 48, 10 + 156 + 2), 0x00FF00u);
    EXPECT_EQ(Pixel(image, 48, 10 + 156), kBlack);
    EXPECT_EQ(Pixel(image, 41, 10 + 158), kBlack);
    // The dark meter: grey lumis.
    EXPECT_EQ(Pixel(image, 78, 10 + 2), kShadow);
}

// At 150 % a logical pixel is 1.5 device pixels: lumis 4 logical pixels apart (the designs' height 5)
// are 6 device pixels apart, 5 apart (height 6) alternate between 7 and 8. Whatever the spacing and
// wherever the meter sits, the lines between the lumis keep one width and the fills differ by one
// device pixel at most; at 200 % everything is exactly twice as big.
TEST(FaderAndMeterRender, ScaledLumisKeepOneGapAndTheirHeightWithinADevicePixel) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    form->SetClientWidth(160);
    form->SetClientHeight(190);
    struct Placed {
        TLevelMeter* meter;
        int lumiHeight;
    };
    std::vector<Placed> meters;
    for (const int lumiHeight : {5, 6}) {
        for (const int place : {0, 1}) { // an even and an odd logical position
            TLevelMeter* meter = AddMeter(form.get(), 10 + 31 * int(meters.size()) + place, 32767);
            meter->SetTop(10 + place);
            meter->SetLumiHeight(lumiHeight);
            meters.push_back({meter, lumiHeight});
        }
    }
    form->Show();
    for (const double scale : {1.5, 2.0}) {
        const QImage image = device_pixels::RenderScaled(*form->Widget()->window(), scale);
        for (const int lumiHeight : {5, 6}) {
            std::vector<int> fills, gaps;
            for (const Placed& placed : meters) {
                if (placed.lumiHeight != lumiHeight) continue;
                const auto column =
                    device_pixels::ReadLumis(image, device_pixels::DeviceRect(*placed.meter, scale));
                EXPECT_EQ(int(column.fills.size()), placed.meter->LumiCount());
                EXPECT_EQ(column.foreignPixels, 0);
                fills.insert(fills.end(), column.fills.begin(), column.fills.end());
                gaps.insert(gaps.end(), column.gaps.begin(), column.gaps.end());
            }
            const std::string where =
                "lumi height " + std::to_string(lumiHeight) + " at " + std::to_string(scale);
            EXPECT_LE(device_pixels::Spread(fills), scale == 2.0 ? 0 : 1) << where;
            EXPECT_EQ(device_pixels::Spread(gaps), 0) << where;
            ASSERT_FALSE(gaps.empty());
            EXPECT_EQ(gaps.front(), int(scale)) << where; // floor(scale) device pixels a line
        }
    }
}

// A tick repaints a few lumis of a bar: every lumi that reaches into the repainted band is drawn whole
// there, at the bottom, in the middle and at the top of the bar, with nothing left of what was under it.
TEST(FaderAndMeterRender, ARepaintedBandOfAMeterHasEveryLumiInItDrawn) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    form->SetClientWidth(100);
    form->SetClientHeight(180);
    TLevelMeter* meter = AddMeter(form.get(), 40, 32767);
    form->Show();
    constexpr QRgb kUnpainted = 0xFF00FF;
    // Lumi i spans rows 156 - 4 i to 160 - 4 i and columns 1 to 15 of the meter.
    for (const QRect band : {QRect(1, 157, 15, 4), QRect(1, 100, 15, 7), QRect(1, 0, 15, 3)}) {
        QImage image(meter->Width(), meter->Height(), QImage::Format_RGB32);
        image.fill(kUnpainted);
        meter->Widget()->render(&image, band.topLeft(), QRegion(band), {}); // the band where it is
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= band.right(); ++x)
                ASSERT_NE(Pixel(image, x, y), kUnpainted) << "row " << y << ", column " << x;
        const int outside = band.top() > 0 ? band.top() - 1 : band.bottom() + 1;
        EXPECT_EQ(Pixel(image, 8, outside), kUnpainted) << "row " << outside << ", outside the band";
    }
}

} // namespace
