// The fader and the meter as screen readers see them: a slider in the fader's own units that takes
// a value as a drag does, and a read-only level with the held peak, which changes silently.
#include "controls/control_classes.h"
#include "controls/level_meter.h"
#include "controls/slider.h"
#include "platform/win_messages.h"
#include "tests/toolkit/accessibility_probe.h"
#include "toolkit/accessibility.h"
#include "toolkit/form.h"
#include "toolkit/panel.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <limits>

using namespace controls;
using tktest::InterfaceOf;

namespace {

class FaderAndMeter : public testing::Test {
protected:
    void SetUp() override {
        tk::InstallAccessibility();
        RegisterControlClasses();
        form.reset(new tk::TForm(nullptr));
        strip = new tk::TPanel(form.get());
        strip->SetParent(form.get());
        strip->SetBounds(0, 0, 60, 190);
        fader = new TSlider(form.get());
        fader->SetParent(strip);
        fader->SetBounds(12, 12, 4, 112);
        fader->SetMoveRestriction(6);
        fader->SetBtnHeight(26);
        fader->SetMax(164);
        fader->SetMin(31);
        fader->SetPosition(31);
        fader->Loaded(); // the knob joins the strip, as for a fader read from a description
        fader->SetOnChange(tk::TNotifyEvent([this](tk::TComponent*) { changes << fader->Position(); }));
        meter = new TLevelMeter(form.get());
        meter->SetParent(strip);
        meter->SetBounds(30, 6, 18, 163);
        meter->SetLumiHeight(5);
        meter->SetTimerInterval(40);
        meter->SetLevelMaxHold(3000);
        meter->Loaded();
    }

    QAccessibleValueInterface* FaderValue() const { return InterfaceOf(fader)->valueInterface(); }
    QAccessibleValueInterface* MeterValue() const { return InterfaceOf(meter)->valueInterface(); }
    void Tick() {
        tk::TMessage tick{win::WM_METERTICK, 0, 0, 0, nullptr};
        meter->WMMeterTick(tick);
    }

    tk::Owned<tk::TForm> form;
    tk::TPanel* strip = nullptr;
    TSlider* fader = nullptr;
    TLevelMeter* meter = nullptr;
    QList<int> changes;
};

TEST_F(FaderAndMeter, TheFaderIsASliderInItsOwnPositionsAndItsKnobIsNoPartOfTheTree) {
    QAccessibleInterface* iface = InterfaceOf(fader);
    EXPECT_EQ(iface->role(), QAccessible::Slider);
    ASSERT_NE(FaderValue(), nullptr);
    fader->SetPosition(100);
    EXPECT_EQ(FaderValue()->currentValue().toInt(), 100);
    EXPECT_EQ(FaderValue()->minimumValue().toInt(), 31);
    EXPECT_EQ(FaderValue()->maximumValue().toInt(), 164);
    EXPECT_EQ(FaderValue()->minimumStepSize().toInt(), 1);
    ASSERT_EQ(fader->Knob()->Parent(), strip);
    for (QAccessibleInterface* child : tktest::AccessibleTree(InterfaceOf(strip)))
        EXPECT_NE(tktest::ControlOf(child), fader->Knob());
    EXPECT_EQ(InterfaceOf(strip)->childCount(), 2) << "the fader and the meter";
}

TEST_F(FaderAndMeter, AValueSetThroughTheInterfaceMovesTheFaderAsADragDoes) {
    ASSERT_NE(FaderValue(), nullptr);
    const int knobTopAt31 = fader->Knob()->Top();
    FaderValue()->setCurrentValue(164);
    EXPECT_EQ(fader->Position(), 164);
    EXPECT_EQ(fader->Knob()->Top(), knobTopAt31 - fader->Travel());
    FaderValue()->setCurrentValue(97.6); // rounds
    FaderValue()->setCurrentValue(1000); // clamps to Max
    FaderValue()->setCurrentValue(-1e300);
    EXPECT_EQ(changes, QList<int>({164, 98, 164, 31}));
    changes.clear();
    for (const QVariant& wrong :
         {QVariant(QStringLiteral("laut")), QVariant(std::numeric_limits<double>::quiet_NaN()),
          QVariant(std::numeric_limits<double>::infinity()), QVariant()})
        FaderValue()->setCurrentValue(wrong);
    fader->SetEnabled(false);
    FaderValue()->setCurrentValue(120);
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_EQ(fader->Position(), 31);
}

TEST_F(FaderAndMeter, AFaderAnnouncesItsNewValue) {
    if (!tktest::AccessibilityProbe::Listening()) GTEST_SKIP() << "no accessibility bridge is active";
    tktest::AccessibilityProbe probe;
    FaderValue()->setCurrentValue(120);
    EXPECT_EQ(probe.Count(QAccessible::ValueChanged, fader), 1);
}

TEST_F(FaderAndMeter, TheMeterIsAReadOnlyLevelWithItsHeldPeakInTheDescription) {
    QAccessibleInterface* iface = InterfaceOf(meter);
    EXPECT_EQ(iface->role(), QAccessible::ProgressBar);
    ASSERT_NE(MeterValue(), nullptr);
    EXPECT_EQ(MeterValue()->minimumValue().toInt(), 0);
    EXPECT_EQ(MeterValue()->maximumValue().toInt(), 32767);
    EXPECT_EQ(iface->text(QAccessible::Description), "Keine Spitze gehalten");
    meter->SetLevel(32767);
    EXPECT_EQ(MeterValue()->currentValue().toInt(), 32767);
    MeterValue()->setCurrentValue(5);
    EXPECT_EQ(meter->Level(), 32767);
    const int count = meter->LumiCount();
    EXPECT_EQ(iface->text(QAccessible::Description),
              QStringLiteral("Spitze gehalten bei LED %1 von %1").arg(count));
    Tick();
    EXPECT_EQ(iface->text(QAccessible::Description),
              QStringLiteral("Spitze gehalten bei LED %1 von %1").arg(count))
        << "the peak holds while the bar falls";
    EXPECT_EQ(tktest::AccessibleTree(iface).size(), 0u) << "its lumis are no part of the tree";
}

TEST_F(FaderAndMeter, LevelsAndTicksAreNotAnnounced) {
    if (!tktest::AccessibilityProbe::Listening()) GTEST_SKIP() << "no accessibility bridge is active";
    tktest::AccessibilityProbe probe;
    for (int level : {32767, 100, 20000, 0}) {
        meter->SetLevel(level);
        Tick();
    }
    EXPECT_EQ(probe.CountAll(meter), 0);
}

} // namespace
