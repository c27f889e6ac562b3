#include "controls/lumi.h"

#include <QWidget>

namespace controls {

TLumi::TLumi(tk::TComponent* owner, tk::TSurface surface) : TShape(owner, surface) {
    if (Widget()) Widget()->setAttribute(Qt::WA_OpaquePaintEvent); // frame and fill cover every pixel
    SetBounds(0, 0, 16, 6);
    Brush()->SetColor(colorOff_);
    Pen()->SetColor(tk::clBlack);
}

void TLumi::SetOn(bool on) {
    if (on == on_) return;
    Brush()->SetColor(on ? colorOn_ : colorOff_);
    on_ = on;
}

} // namespace controls
