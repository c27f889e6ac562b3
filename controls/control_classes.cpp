#include "controls/control_classes.h"

#include "controls/bilingual_controls.h"
#include "controls/ext_speed_button.h"
#include "toolkit/class_registry.h"

namespace controls {

void RegisterControlClasses() {
    tk::ClassRegistry::Register<TExtLabel>();
    tk::ClassRegistry::Register<TExtButton>();
    tk::ClassRegistry::Register<TExtCheckBox>();
    tk::ClassRegistry::Register<TExtRadioButton>();
    tk::ClassRegistry::Register<TExtGroupBox>();
    tk::ClassRegistry::Register<TExtSpeedButton>();
}

} // namespace controls
