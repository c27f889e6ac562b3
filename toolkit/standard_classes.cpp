#include "toolkit/standard_classes.h"

#include "toolkit/bevel.h"
#include "toolkit/button.h"
#include "toolkit/check_box.h"
#include "toolkit/combo_box.h"
#include "toolkit/edit.h"
#include "toolkit/group_box.h"
#include "toolkit/class_registry.h"
#include "toolkit/form.h"
#include "toolkit/image.h"
#include "toolkit/label.h"
#include "toolkit/menu_item.h"
#include "toolkit/page_control.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shape.h"
#include "toolkit/speed_button.h"
#include "toolkit/timer.h"
#include "toolkit/track_bar.h"

namespace tk {

void RegisterStandardClasses() {
    ClassRegistry::Register<TForm>();
    ClassRegistry::Register<TPanel>();
    ClassRegistry::Register<TLabel>();
    ClassRegistry::Register<TCheckBox>();
    ClassRegistry::Register<TButton>();
    ClassRegistry::Register<TBevel>();
    ClassRegistry::Register<TImage>();
    ClassRegistry::Register<TRadioButton>();
    ClassRegistry::Register<TSpeedButton>();
    ClassRegistry::Register<TGroupBox>();
    ClassRegistry::Register<TScrollBox>();
    ClassRegistry::Register<TTimer>();
    ClassRegistry::Register<TShape>();
    ClassRegistry::Register<TEdit>();
    ClassRegistry::Register<TMenuItem>();
    ClassRegistry::Register<TPageControl>();
    ClassRegistry::Register<TTabSheet>();
    ClassRegistry::Register<TTrackBar>();
    ClassRegistry::Register<TComboBox>();
}

} // namespace tk
