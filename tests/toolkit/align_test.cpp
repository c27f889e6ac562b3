#include "toolkit/align.h"
#include "toolkit/form.h"
#include "toolkit/panel.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace tk;

namespace {

TEST(Align, TheControlWindowsThreePanelsShareA132PixelClientArea) {
    Owned<TForm> form(new TForm(nullptr));
    form->SetBounds(4, 0, 167, 159);
    const auto panel = [&](TAlign align, int height) {
        auto* p = new TPanel(form.get());
        p->SetParent(form.get());
        p->SetHeight(height);
        p->SetAlign(align);
        return p;
    };
    TPanel* top = panel(TAlign::alTop, 77);
    TPanel* bottom = panel(TAlign::alBottom, 27);
    TPanel* rest = panel(TAlign::alClient, 41);
    EXPECT_EQ(top->BoundsRect(), QRect(0, 0, 159, 77));
    EXPECT_EQ(bottom->BoundsRect(), QRect(0, 105, 159, 27));
    EXPECT_EQ(rest->BoundsRect(), QRect(0, 77, 159, 28));

    bottom->Hide();
    EXPECT_EQ(rest->Height(), 55) << "hidden controls take no room";
    bottom->Show();
    form->SetClientHeight(150);
    EXPECT_EQ(rest->Height(), 46);
    EXPECT_EQ(bottom->Top(), 123);
}

TEST(Align, OrderIsTopBottomLeftRightClientAndPositionDecidesWithinOne) {
    const std::vector<AlignedControl> controls = {
        {TAlign::alClient, QRect(0, 0, 10, 10)},  {TAlign::alLeft, QRect(50, 0, 20, 10)},
        {TAlign::alTop, QRect(0, 30, 10, 15)},    {TAlign::alLeft, QRect(5, 0, 30, 10)},
        {TAlign::alRight, QRect(0, 0, 25, 10)},   {TAlign::alTop, QRect(0, 2, 10, 5)},
        {TAlign::alNone, QRect(7, 8, 9, 10)},     {TAlign::alBottom, QRect(0, 0, 10, 12)},
    };
    const auto result = AlignControls(QRect(0, 0, 200, 100), controls);
    EXPECT_EQ(result[5], QRect(0, 0, 200, 5));
    EXPECT_EQ(result[2], QRect(0, 5, 200, 15));
    EXPECT_EQ(result[7], QRect(0, 88, 200, 12));
    EXPECT_EQ(result[3], QRect(0, 20, 30, 68));
    EXPECT_EQ(result[1], QRect(30, 20, 20, 68));
    EXPECT_EQ(result[4], QRect(175, 20, 25, 68));
    EXPECT_EQ(result[0], QRect(50, 20, 125, 68));
    EXPECT_EQ(result[6], QRect(7, 8, 9, 10));
}

TEST(Align, APanelsChildrenFillTheRoomInsideItsBevelsAndBorder) {
    Owned<TForm> form(new TForm(nullptr));
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 100, 60);
    panel->SetBevelInner(TBevelCut::bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(3);
    auto* inner = new TPanel(form.get());
    inner->SetParent(panel);
    inner->SetAlign(TAlign::alClient);
    EXPECT_EQ(inner->BoundsRect(), QRect(7, 7, 86, 46));

    panel->SetBorderStyle(TBorderStyle::bsSingle);
    EXPECT_EQ(panel->ClientWidth(), 96) << "a single border lies outside the client area";
    EXPECT_EQ(inner->BoundsRect(), QRect(7, 7, 82, 42));
    EXPECT_EQ(inner->Widget()->geometry(), QRect(9, 9, 82, 42));
}

} // namespace
