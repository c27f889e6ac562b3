#include "controls/level_meter.h"
#include "controls/lumi.h"
#include "platform/win_messages.h"
#include "toolkit/errors.h"
#include "toolkit/form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPaintEvent>
#include <QRegion>
#include <QThread>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

using namespace controls;

namespace {

// The meter of the channel strips' designs: 40 lumis, 1 red, 12 orange, ticks of 40 ms, hold 3 s.
class Meter : public testing::Test {
protected:
    void SetUp() override {
        form.reset(new tk::TForm(nullptr));
        meter = new TLevelMeter(form.get());
        meter->SetParent(form.get());
        meter->SetBounds(10, 10, 18, 163);
        meter->SetLumiHeight(5);
        meter->SetNumLumisRed(1);
        meter->SetNumLumisOrange(12);
        meter->SetTimerInterval(40);
        meter->SetLevelMaxHold(3000);
    }

    int Lit() const {
        int lit = 0;
        for (int i = 0; i < meter->LumiCount(); ++i) lit += meter->Lumi(i)->On() ? 1 : 0;
        return lit;
    }
    bool IsLit(int index) const { return meter->Lumi(index)->On(); }
    win::LRESULT Tick(win::WPARAM timerId = 0) { return meter->Perform(win::WM_METERTICK, timerId, 0); }

    tk::Owned<tk::TForm> form;
    TLevelMeter* meter = nullptr;
};

TEST_F(Meter, StacksItsLumisFromTheBottomInThreeColourZones) {
    ASSERT_EQ(meter->LumiCount(), 40);
    EXPECT_EQ(meter->Lumi(0)->Top(), 156);
    EXPECT_EQ(meter->Lumi(39)->Top(), 0);
    EXPECT_EQ(meter->Lumi(0)->Width(), 15);
    EXPECT_EQ(meter->Lumi(0)->Height(), 5);
    EXPECT_EQ(meter->Lumi(39)->ColorOn(), TLevelMeter::kRed);
    for (int i = 27; i <= 38; ++i) EXPECT_EQ(meter->Lumi(i)->ColorOn(), TLevelMeter::kOrange) << i;
    for (int i = 0; i <= 26; ++i) EXPECT_EQ(meter->Lumi(i)->ColorOn(), TLevelMeter::kLime) << i;
    meter->SetNumLumisRed(50);
    EXPECT_EQ(meter->Lumi(0)->ColorOn(), TLevelMeter::kRed) << "a count past the bottom colours what exists";
}

TEST_F(Meter, ALevelLightsUpToItsPlaceOnTheLogarithmicScale) {
    const std::pair<int, int> levelsAndTargets[] = {{32767, 39}, {16384, 31}, {3277, 15}, {33, 0}};
    for (const auto& [level, target] : levelsAndTargets) {
        SetUp();
        meter->SetLevel(level);
        EXPECT_EQ(meter->LitIndex(), target) << level;
        EXPECT_EQ(Lit(), target == 0 ? 0 : target + 1) << "lumi 0 lights only with a level that reaches 1";
        EXPECT_EQ(meter->Level(), level);
    }
}

TEST_F(Meter, ALevelAboveFullScaleOrBelowTheLitTopLightsNothing) {
    meter->SetLevel(3277);
    meter->SetLevel(33000);
    EXPECT_EQ(meter->LitIndex(), 15);
    meter->SetLevel(33);
    EXPECT_EQ(Lit(), 16) << "a bar never puts lumis out by itself";
}

// Just above full scale still rounds to the top of the logarithmic bar; it must not light it. Nor
// may it start a hold where no peak is held.
TEST_F(Meter, ALevelAboveLevelMaxChangesNothing) {
    for (const int above : {32768, 40000, INT32_MAX}) {
        SetUp();
        meter->SetLevel(above);
        EXPECT_EQ(Lit(), 0) << above;
        EXPECT_EQ(meter->LitIndex(), 0) << above;
        EXPECT_EQ(meter->PeakIndex(), 0) << above;
        EXPECT_EQ(meter->HoldTicks(), 0) << above;
        EXPECT_EQ(meter->Level(), 0) << above;
    }
    meter->SetLevel(3277);
    meter->SetLevel(32768);
    EXPECT_EQ(meter->Level(), 3277);
    EXPECT_EQ(Lit(), 16);
}

TEST_F(Meter, FallsOneLumiPerTickAndHoldsThePeakFor75Ticks) {
    meter->SetLevel(3277);
    EXPECT_EQ(meter->HoldTicks(), 75);
    EXPECT_EQ(Tick(), 1);
    EXPECT_FALSE(IsLit(14));
    EXPECT_TRUE(IsLit(15));
    EXPECT_TRUE(IsLit(13));
    for (int tick = 2; tick <= 74; ++tick) Tick();
    EXPECT_EQ(meter->LitIndex(), 0);
    EXPECT_EQ(Lit(), 1);
    EXPECT_TRUE(IsLit(15)) << "held through the 74th tick";
    Tick();
    EXPECT_EQ(Lit(), 0);
    EXPECT_EQ(meter->PeakIndex(), 0);
}

TEST_F(Meter, ALevelAtTheHeldPeakRestartsTheHold) {
    meter->SetLevel(3277);
    for (int tick = 0; tick < 10; ++tick) Tick();
    meter->SetLevel(1000);
    EXPECT_EQ(meter->HoldTicks(), 65) << "below the peak: the hold runs on";
    meter->SetLevel(3277);
    EXPECT_EQ(meter->HoldTicks(), 75);
}

TEST_F(Meter, OnLightsTheWholeBarAndOffLeavesItToTheTicks) {
    meter->SetOn(true);
    EXPECT_EQ(Lit(), 40);
    meter->SetOn(false);
    EXPECT_EQ(Lit(), 40);
    Tick();
    EXPECT_EQ(Lit(), 39);
}

TEST_F(Meter, ARebuildKeepsWhatIsLitBelowTheNewTopInItsNewColours) {
    meter->SetLevel(32767);
    meter->SetHeight(83);
    ASSERT_EQ(meter->LumiCount(), 20);
    EXPECT_EQ(meter->LitIndex(), 19);
    EXPECT_EQ(meter->PeakIndex(), 19);
    EXPECT_EQ(Lit(), 20);
    EXPECT_EQ(meter->Lumi(19)->Brush()->Color(), TLevelMeter::kRed);
    EXPECT_EQ(meter->Lumi(18)->Brush()->Color(), TLevelMeter::kOrange);
    for (int tick = 0; tick < 100; ++tick) Tick();
    EXPECT_EQ(Lit(), 0);
}

TEST_F(Meter, AHeightThatStillSuitsTheCountMovesTheLumis) {
    TLumi* bottom = meter->Lumi(0);
    meter->SetHeight(165);
    EXPECT_EQ(meter->Lumi(0), bottom);
    EXPECT_EQ(bottom->Top(), 158);
    meter->SetWidth(20);
    EXPECT_EQ(bottom->Width(), 17);
}

TEST_F(Meter, RefusesLumiHeightsBelowTwoAndATimerIntervalOfZero) {
    EXPECT_THROW(meter->SetLumiHeight(1), tk::ERangeError);
    EXPECT_EQ(meter->LumiHeight(), 5);
    EXPECT_EQ(meter->LumiCount(), 40);
    EXPECT_THROW(meter->SetTimerInterval(0), tk::ERangeError);
    EXPECT_EQ(meter->TimerInterval(), 40);
}

TEST_F(Meter, ItsOwnTimerTicksItAndThenOnlyItsTicksAreTaken) {
    EXPECT_EQ(Tick(12345), 1) << "without its own timer a meter takes any tick";
    meter->SetTimerInterval(5);
    meter->SetTimerEnable(true);
    ASSERT_NE(meter->TimerId(), 0u);
    EXPECT_EQ(Tick(meter->TimerId() + 1), 0);
    meter->SetOn(true);
    QElapsedTimer waited;
    waited.start();
    while (meter->LitIndex() == 39 && waited.elapsed() < 5000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_LT(meter->LitIndex(), 39);
    meter->SetTimerEnable(false);
    EXPECT_EQ(meter->TimerId(), 0u);
}

TEST(MeterTimer, TicksQueuedForAFreedMeterAreDropped) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    auto* meter = new TLevelMeter(form.get());
    meter->SetParent(form.get());
    meter->SetTimerInterval(1);
    meter->SetTimerEnable(true);
    QThread::msleep(20); // ticks pile up in the queue meanwhile
    form.reset();
    QApplication::processEvents();
    SUCCEED() << "no tick reached the freed meter";
}

TEST(MeterTimer, AMeterOffAFormStoresTheFlagAndStartsNoTimer) {
    tk::Owned<TLevelMeter> meter(new TLevelMeter(nullptr));
    meter->SetTimerEnable(true);
    EXPECT_TRUE(meter->TimerEnable());
    EXPECT_EQ(meter->TimerId(), 0u);
}

TEST(BarGraph, IgnoresALevelAboveItsFullScale) {
    tk::Owned<TBarGraph> bar(new TBarGraph(nullptr));
    ASSERT_EQ(bar->LumiCount(), 32);
    bar->SetLevel(65536);
    EXPECT_EQ(bar->Level(), 0);
    EXPECT_EQ(bar->LitIndex(), 0);
    bar->SetLevel(65535);
    EXPECT_EQ(bar->LitIndex(), 31);
    EXPECT_EQ(bar->Lumi(31)->ColorOn(), tk::clLime);
}

// What the meter's widget repaints while change runs, and where its lumis switched.
struct Repaint {
    QRegion painted;
    QRegion switched;
};

template <class Change> Repaint RepaintOf(TLevelMeter* meter, Change change) {
    struct PaintRecorder : QObject {
        QRegion painted;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
            return false;
        }
    } recorder;
    meter->Widget()->installEventFilter(&recorder);
    std::vector<bool> litBefore;
    for (int i = 0; i < meter->LumiCount(); ++i) litBefore.push_back(meter->Lumi(i)->On());
    change();
    QApplication::processEvents();
    meter->Widget()->removeEventFilter(&recorder);
    Repaint repaint{recorder.painted, {}};
    for (int i = 0; i < meter->LumiCount(); ++i)
        if (meter->Lumi(i)->On() != litBefore[std::size_t(i)])
            repaint.switched += meter->Lumi(i)->BoundsRect().translated(meter->ClientOrigin());
    return repaint;
}

TEST(BarGraph, ALevelAndATickRepaintOnlyTheLumisTheySwitchNotTheBar) {
    tk::Owned<tk::TForm> form(new tk::TForm(nullptr));
    auto* meter = new TLevelMeter(form.get());
    meter->SetParent(form.get());
    form->Show();
    QApplication::processEvents();

    const Repaint rise = RepaintOf(meter, [&] { meter->SetLevel(20000); });
    ASSERT_FALSE(rise.switched.isEmpty());
    EXPECT_EQ(rise.painted, rise.switched);

    const Repaint tick = RepaintOf(meter, [&] { meter->Perform(win::WM_METERTICK, 0, 0); });
    ASSERT_FALSE(tick.switched.isEmpty());
    EXPECT_EQ(tick.painted, tick.switched);
}

} // namespace
