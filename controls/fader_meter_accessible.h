#pragma once
// What screen readers see of the faders and the meters. A fader is a slider whose value is its
// Position, between Min and Max in steps of 1; a value set through it moves the fader as a drag does
// (OnChange runs). A meter is a progress bar whose read-only value is its last level, 0..LevelMax, and
// whose description names the lumi that holds the peak. Levels change ten times a second per meter:
// they raise no accessibility events, a screen reader reads them when asked.
#include "toolkit/control_accessible.h"

namespace controls {

class TBarGraph;
class TSlider;

// A control that screen readers read through the value interface.
class ValueAccessible : public tk::ControlAccessible, public QAccessibleValueInterface {
public:
    using ControlAccessible::ControlAccessible;

    void* interface_cast(QAccessible::InterfaceType type) override;
};

class FaderAccessible : public ValueAccessible {
public:
    explicit FaderAccessible(TSlider* fader);

    QVariant currentValue() const override;
    // A value that is no number, or a fader that is disabled, changes nothing; the fader clamps.
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 1; }

private:
    TSlider* Fader() const;
};

class MeterAccessible : public ValueAccessible {
public:
    explicit MeterAccessible(TBarGraph* meter);

    QString text(QAccessible::Text type) const override;
    QVariant currentValue() const override;
    // Read only: the level is the driver's.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override;
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    TBarGraph* Meter() const;
};

// Registers both with the toolkit's accessibility.
void RegisterFaderMeterAccessibles();

} // namespace controls
