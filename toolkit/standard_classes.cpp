#include "toolkit/standard_classes.h"

#include "toolkit/bevel.h"
#include "toolkit/button.h"
#include "toolkit/check_box.h"
#include "toolkit/class_registry.h"
#include "toolkit/form.h"
#include "toolkit/image.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"

namespace tk {

void RegisterStandardClasses() {
    ClassRegistry::Register<TForm>();
    ClassRegistry::Register<TPanel>();
    ClassRegistry::Register<TLabel>();
    ClassRegistry::Register<TCheckBox>();
    ClassRegistry::Register<TButton>();
    ClassRegistry::Register<TBevel>();
    ClassRegistry::Register<TImage>();
}

} // namespace tk
