#include "controls/fader_meter_accessible.h"

#include "controls/bar_graph.h"
#include "controls/level_meter.h"
#include "controls/slider.h"
#include "toolkit/accessibility.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace controls {

void* ValueAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return ControlAccessible::interface_cast(type);
}

FaderAccessible::FaderAccessible(TSlider* fader) : ValueAccessible(fader, QAccessible::Slider) {}

TSlider* FaderAccessible::Fader() const {
    return static_cast<TSlider*>(Control());
}

QVariant FaderAccessible::currentValue() const {
    return Fader() ? QVariant(Fader()->Position()) : QVariant();
}

QVariant FaderAccessible::maximumValue() const {
    return Fader() ? QVariant(Fader()->Max()) : QVariant();
}

QVariant FaderAccessible::minimumValue() const {
    return Fader() ? QVariant(Fader()->Min()) : QVariant();
}

void FaderAccessible::setCurrentValue(const QVariant& value) {
    TSlider* fader = Fader();
    bool isNumber = false;
    const double wanted = value.toDouble(&isNumber);
    if (!fader || !fader->Enabled() || !isNumber || !std::isfinite(wanted)) return;
    fader->SetPosition(int(std::lround(std::clamp(wanted, double(INT_MIN), double(INT_MAX)))));
}

MeterAccessible::MeterAccessible(TBarGraph* meter) : ValueAccessible(meter, QAccessible::ProgressBar) {}

TBarGraph* MeterAccessible::Meter() const {
    return static_cast<TBarGraph*>(Control());
}

QString MeterAccessible::text(QAccessible::Text type) const {
    const auto* meter = qobject_cast<const TLevelMeter*>(Meter());
    if (type != QAccessible::Description || !meter) return ControlAccessible::text(type);
    // Lumi 0 is the bottom one, which never holds a peak.
    if (meter->PeakIndex() == 0) return QStringLiteral("Keine Spitze gehalten");
    return QStringLiteral("Spitze gehalten bei LED %1 von %2")
        .arg(meter->PeakIndex() + 1)
        .arg(meter->LumiCount());
}

QVariant MeterAccessible::currentValue() const {
    return Meter() ? QVariant(Meter()->Level()) : QVariant();
}

QVariant MeterAccessible::maximumValue() const {
    return Meter() ? QVariant(Meter()->GetLevelMax()) : QVariant();
}

void RegisterFaderMeterAccessibles() {
    tk::RegisterAccessible<TSlider>([](tk::TControl* control) -> QAccessibleInterface* {
        return new FaderAccessible(static_cast<TSlider*>(control));
    });
    tk::RegisterAccessible<TBarGraph>([](tk::TControl* control) -> QAccessibleInterface* {
        return new MeterAccessible(static_cast<TBarGraph*>(control));
    });
}

} // namespace controls
