#include "controls/ext_speed_button.h"

namespace controls {

void TExtSpeedButton::SetHintGerman(const QString& text) {
    hintGerman_ = text;
    SetHint(text);
}

void TExtSpeedButton::SetDown(bool down) {
    const bool wasDown = Down();
    TSpeedButton::SetDown(down);
    NotifyIfWentDown(wasDown);
}

void TExtSpeedButton::MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) {
    const bool wasDown = Down();
    tk::BusyScope busy(this); // OnClick may free the button before OnDown is asked
    TSpeedButton::MouseUp(button, shift, x, y);
    if (!IsDestroying()) NotifyIfWentDown(wasDown);
}

void TExtSpeedButton::NotifyIfWentDown(bool wasDown) {
    if (Down() && !wasDown && onDown_) onDown_(this);
}

} // namespace controls
