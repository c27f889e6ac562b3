// Controls without a widget of their own: their parent draws them, and repaints where they were and
// where they are whenever they move, hide or go.
#include "toolkit/form.h"
#include "toolkit/panel.h"
#include "toolkit/shape.h"

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QRegion>
#include <QWidget>
#include <gtest/gtest.h>

using namespace tk;

namespace {

struct PaintRecorder : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

class DrawnByParent : public testing::Test {
protected:
    void SetUp() override {
        form.reset(new TForm(nullptr));
        form->SetClientWidth(120);
        form->SetClientHeight(80);
        panel = new TPanel(form.get());
        panel->SetParent(form.get());
        panel->SetBounds(10, 10, 100, 60);
        panel->SetBevelOuter(TBevelCut::bvNone);
        shape = new TShape(form.get(), TSurface::parentWidget);
        shape->SetParent(panel);
        shape->SetBounds(5, 5, 20, 10);
        shape->Brush()->SetColor(clRed);
        form->Show();
        QApplication::processEvents();
        panel->Widget()->installEventFilter(&recorder);
    }
    QRgb PanelPixel(int x, int y) const { return panel->Widget()->grab().toImage().pixel(x, y) & 0xFFFFFF; }
    QRegion Repainted() {
        QApplication::processEvents();
        return recorder.painted;
    }

    Owned<TForm> form;
    TPanel* panel = nullptr;
    TShape* shape = nullptr;
    PaintRecorder recorder;
};

TEST_F(DrawnByParent, IsDrawnOnItsParentAndNowhereWhenHidden) {
    EXPECT_EQ(shape->Widget(), nullptr);
    EXPECT_EQ(PanelPixel(10, 10), 0xFF0000u);
    EXPECT_EQ(PanelPixel(5, 5), 0x000000u) << "the frame";
    EXPECT_EQ(PanelPixel(40, 10), 0xC0C0C0u);
    recorder.painted = QRegion(); // the pictures above painted everything
    shape->Hide();
    EXPECT_EQ(Repainted(), QRegion(5, 5, 20, 10));
    EXPECT_EQ(PanelPixel(10, 10), 0xC0C0C0u);
}

TEST_F(DrawnByParent, AMoveRepaintsTheOldAndTheNewPlaceOnly) {
    shape->SetLeft(50);
    EXPECT_EQ(Repainted(), QRegion(5, 5, 20, 10) + QRegion(50, 5, 20, 10));
    EXPECT_EQ(PanelPixel(10, 10), 0xC0C0C0u);
    EXPECT_EQ(PanelPixel(55, 10), 0xFF0000u);
}

TEST_F(DrawnByParent, ItsPlaceIsRepaintedWhenItIsFreedOrTakenAway) {
    shape->Free();
    EXPECT_EQ(Repainted(), QRegion(5, 5, 20, 10));
    EXPECT_EQ(PanelPixel(10, 10), 0xC0C0C0u);
    auto* other = new TShape(form.get(), TSurface::parentWidget);
    other->SetParent(panel);
    other->SetBounds(60, 20, 10, 10);
    QApplication::processEvents();
    recorder.painted = QRegion();
    other->SetParent(nullptr);
    EXPECT_EQ(Repainted(), QRegion(60, 20, 10, 10));
}

} // namespace
