#include "toolkit/check_box.h"

#include <QCheckBox>

namespace tk {

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner, new QCheckBox) { SetBounds(0, 0, 97, 17); }

TCheckBox::TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}

} // namespace tk
