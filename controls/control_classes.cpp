#include "controls/control_classes.h"

#include "controls/bar_graph.h"
#include "controls/bilingual_controls.h"
#include "controls/ext_speed_button.h"
#include "controls/fader_meter_accessible.h"
#include "controls/level_meter.h"
#include "controls/lumi.h"
#include "controls/slider.h"
#include "toolkit/class_registry.h"

namespace controls {

void RegisterControlClasses() {
    tk::ClassRegistry::Register<TExtLabel>();
    tk::ClassRegistry::Register<TExtButton>();
    tk::ClassRegistry::Register<TExtCheckBox>();
    tk::ClassRegistry::Register<TExtRadioButton>();
    tk::ClassRegistry::Register<TExtGroupBox>();
    tk::ClassRegistry::Register<TExtSpeedButton>();
    tk::ClassRegistry::Register<TSlider>();
    tk::ClassRegistry::Register<TLumi>();
    tk::ClassRegistry::Register<TBarGraph>();
    tk::ClassRegistry::Register<TLevelMeter>();
    RegisterFaderMeterAccessibles();
}

} // namespace controls
