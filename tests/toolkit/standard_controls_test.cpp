#include "toolkit/edit.h"
#include "toolkit/form.h"
#include "toolkit/group_box.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shape.h"
#include "toolkit/speed_button.h"
#include "toolkit/timer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace tk;

namespace {

template <class T> T* Add(TForm* form, TWinControl* parent, const char* name) {
    auto* control = new T(form);
    control->SetName(QString::fromLatin1(name));
    control->SetParent(parent);
    return control;
}

void RecordClicks(std::initializer_list<TControl*> controls, QStringList& log) {
    for (TControl* control : controls)
        control->SetOnClick(TNotifyEvent([&log](TComponent* sender) { log.append(sender->Name()); }));
}

TEST(RadioButton, CheckingOneUnchecksTheOthersOfItsParentOnlyAndClicksOnce) {
    Owned<TForm> form(new TForm(nullptr));
    auto* left = Add<TPanel>(form.get(), form.get(), "pnLeft");
    auto* right = Add<TPanel>(form.get(), form.get(), "pnRight");
    auto* a = Add<TRadioButton>(form.get(), left, "btnA");
    auto* b = Add<TRadioButton>(form.get(), left, "btnB");
    auto* c = Add<TRadioButton>(form.get(), right, "btnC");
    QStringList log;
    RecordClicks({a, b, c}, log);
    a->SetChecked(true);
    c->SetChecked(true);
    b->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(c->Checked()) << "another parent is another group";
    EXPECT_EQ(log, QStringList({"btnA", "btnC", "btnB"})) << "unchecking and re-checking run no click";
}

class SpeedButtons : public testing::Test {
protected:
    void SetUp() override {
        form.reset(new TForm(nullptr));
        first = Add<TSpeedButton>(form.get(), form.get(), "btnFirst");
        second = Add<TSpeedButton>(form.get(), form.get(), "btnSecond");
        RecordClicks({first, second}, log);
    }
    void ClickOn(TSpeedButton* button) {
        QTest::mouseClick(button->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    }
    Owned<TForm> form;
    TSpeedButton* first = nullptr;
    TSpeedButton* second = nullptr;
    QStringList log;
};

TEST_F(SpeedButtons, WithoutGroupNeverStayDownButClick) {
    first->SetDown(true);
    EXPECT_FALSE(first->Down());
    ClickOn(first);
    EXPECT_FALSE(first->Down());
    EXPECT_EQ(log, QStringList({"btnFirst"}));
}

TEST_F(SpeedButtons, AGroupHasAtMostOneDownAndKeepsItUnlessAllUpIsAllowed) {
    first->SetGroupIndex(1);
    second->SetGroupIndex(1);
    ClickOn(first);
    EXPECT_TRUE(first->Down());
    ClickOn(second);
    EXPECT_TRUE(second->Down());
    EXPECT_FALSE(first->Down());
    ClickOn(second);
    EXPECT_TRUE(second->Down()) << "the group does not allow all up";
    second->SetDown(false);
    EXPECT_TRUE(second->Down());
    first->SetAllowAllUp(true);
    EXPECT_TRUE(second->AllowAllUp()) << "shared by the group";
    ClickOn(second);
    EXPECT_FALSE(second->Down());
    EXPECT_EQ(log, QStringList({"btnFirst", "btnSecond", "btnSecond", "btnSecond"}));
}

TEST_F(SpeedButtons, AReleaseOutsideTheButtonDoesNothing) {
    first->SetGroupIndex(1);
    QTest::mousePress(first->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(first->Widget(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_FALSE(first->Down());
    EXPECT_TRUE(log.isEmpty());
}

TEST(ScrollBox, AHorizontalBarAppearsWhenChildrenDoNotFitAndMovesThem) {
    Owned<TForm> form(new TForm(nullptr));
    auto* box = Add<TScrollBox>(form.get(), form.get(), "ScrollBox");
    box->SetBorderStyle(TBorderStyle::bsNone);
    box->SetBounds(0, 0, 181, 363);
    box->VertScrollBar()->SetVisible(false);
    box->HorzScrollBar()->SetMargin(2);
    auto* strip = Add<TPanel>(form.get(), box, "pnMeters");
    strip->SetBounds(6, 0, 171, 200);
    EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
    strip->SetWidth(171 + 173);
    EXPECT_TRUE(box->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(box->HorzScrollBar()->Range(), 6 + 344 + 2);
    EXPECT_EQ(box->ClientHeight(), 363 - TScrollBox::kScrollBarSize);
    box->HorzScrollBar()->SetPosition(100);
    EXPECT_EQ(strip->Widget()->x(), 6 - 100);
    EXPECT_EQ(strip->Left(), 6) << "positions stay in content coordinates";
}

TEST(ScrollBox, TopAlignedBandsSpanTheWholeRangeAndScrollWithIt) {
    Owned<TForm> form(new TForm(nullptr));
    auto* box = Add<TScrollBox>(form.get(), form.get(), "ScrollBox");
    box->SetBorderStyle(TBorderStyle::bsNone);
    box->SetBounds(0, 0, 181, 363);
    box->HorzScrollBar()->SetMargin(2);
    auto* band = Add<TPanel>(form.get(), box, "pnHeader");
    band->SetAlign(TAlign::alTop);
    band->SetHeight(19);
    auto* strip = Add<TPanel>(form.get(), box, "pnMeters");
    strip->SetBounds(6, 19, 171, 200);
    EXPECT_EQ(band->Width(), 181);
    strip->SetWidth(171 + 173);
    EXPECT_EQ(band->Width(), 6 + 344 + 2);
    box->HorzScrollBar()->SetPosition(100);
    EXPECT_EQ(band->Widget()->x(), -100);
    strip->SetWidth(171);
    EXPECT_EQ(band->Width(), 181) << "never narrower than the box";
}

TEST(Timer, RunsOnTimerWhileEnabledWithAHandler) {
    Owned<TTimer> timer(new TTimer(nullptr));
    int ticks = 0;
    timer->SetInterval(5);
    timer->SetOnTimer(TNotifyEvent([&ticks](TComponent*) { ++ticks; }));
    QElapsedTimer clock;
    clock.start();
    while (ticks < 2 && clock.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_GE(ticks, 2);
    timer->SetEnabled(false);
    const int stopped = ticks;
    QTest::qWait(30);
    EXPECT_EQ(ticks, stopped);
}

QRgb Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

TEST(StandardControls, DrawTheClassicWay) {
    Owned<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(0, 0, 200, 120);
    auto* group = Add<TGroupBox>(form.get(), form.get(), "grpClock");
    group->SetBounds(4, 4, 120, 70);
    group->SetCaption("Takt&quelle");
    auto* radio = Add<TRadioButton>(form.get(), group, "btnIntern");
    radio->SetBounds(8, 18, 100, 17);
    radio->SetCaption("Intern");
    radio->SetChecked(true);
    auto* up = Add<TSpeedButton>(form.get(), form.get(), "btnUp");
    up->SetBounds(130, 10, 20, 16);
    up->SetCaption("M");
    auto* down = Add<TSpeedButton>(form.get(), form.get(), "btnDown");
    down->SetBounds(160, 10, 20, 16);
    down->SetCaption("M");
    down->SetGroupIndex(2);
    down->SetDown(true);
    auto* shape = Add<TShape>(form.get(), form.get(), "shLed");
    shape->SetBounds(130, 40, 20, 20);
    shape->Brush()->SetColor(clRed);
    auto* edit = Add<TEdit>(form.get(), form.get(), "edName");
    edit->SetBounds(4, 80, 120, 21);
    edit->SetText("Kova 2");
    form->Show();
    const QImage image = form->Widget()->grab().toImage();
    if (const QByteArray dir = qgetenv("KOVA2_SNAPSHOT_DIR"); !dir.isEmpty())
        image.save(QDir(QString::fromLocal8Bit(dir)).filePath("standard-controls.png"));
    EXPECT_EQ(Pixel(image, 130, 10), 0xFFFFFFu) << "raised: highlight top left";
    EXPECT_EQ(Pixel(image, 149, 25), 0x000000u) << "raised: dark shadow bottom right";
    EXPECT_EQ(Pixel(image, 160, 10), 0x000000u) << "down: dark shadow top left";
    EXPECT_EQ(Pixel(image, 140, 50), 0xFF0000u) << "the brush fills the shape";
    EXPECT_EQ(Pixel(image, 4, 60), 0x808080u) << "etched frame of the group box";
}

} // namespace
