#include "controls/bilingual_caption.h"

#include "toolkit/control.h"

namespace controls {

void BilingualCaption::SetCaptionGerman(const QString& text) {
    german_ = text;
    control_->SetCaption(text);
}

} // namespace controls
