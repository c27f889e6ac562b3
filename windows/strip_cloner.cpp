#include "windows/strip_cloner.h"

#include "controls/clone_components.h"
#include "controls/level_meter.h"
#include "controls/slider.h"
#include "toolkit/bevel.h"
#include "toolkit/check_box.h"
#include "toolkit/label.h"
#include "toolkit/panel.h"

namespace windows {

void StripCloner::CloneStrip(tk::TWinControl* panel, int card, bool widen) {
    card_ = card;
    if (widen) panel->SetWidth(panel->Width() + step_);
    controls::CloneComponents(panel, panel, card * step_, 0, [this](tk::TControl*& copy) { StripCopy(copy); });
}

void StripCloner::CloneHeader(tk::TWinControl* header, int card, bool widen) {
    card_ = card;
    if (widen) header->SetWidth(header->Width() + step_);
    controls::CloneComponents(header, header, card * step_, 0, [this](tk::TControl*& copy) { HeaderCopy(copy); });
}

QString StripCloner::HeaderCaption(const QString& caption, int card) {
    return caption.left(caption.size() - 1) + QString::number(card + 1);
}

void StripCloner::StripCopy(tk::TControl*& copy) {
    if (auto* meter = qobject_cast<controls::TLevelMeter*>(copy)) {
        meter->SetTag(meterTags_ == MeterTags::Sequential ? nextMeter_++ : meter->Tag() + 2 * card_);
    } else if (auto* fader = qobject_cast<controls::TSlider*>(copy)) {
        fader->SetNumber(nextFader_++);
        fader->SetName(QStringLiteral("Slider%1").arg(fader->Number()));
    } else if (auto* link = qobject_cast<tk::TCheckBox*>(copy)) {
        const int pair = ++linkCounter_;
        link->SetName(QStringLiteral("chkLink%1%2").arg(2 * pair - 1).arg(2 * pair));
    } else if (auto* panel = qobject_cast<tk::TPanel*>(copy)) {
        if (panelTags_ == PanelTags::Always || panel->Tag() == 0) panel->SetTag(card_);
    } else if (auto* label = qobject_cast<tk::TLabel*>(copy)) {
        if (label->Tag() > 0) label->SetTag(card_ + 1);
    } else if (qobject_cast<tk::TBevel*>(copy)) {
        tk::FreeAndNil(copy);
    }
}

void StripCloner::HeaderCopy(tk::TControl*& copy) const {
    if (auto* label = qobject_cast<tk::TLabel*>(copy)) label->SetCaption(HeaderCaption(label->Caption(), card_));
}

} // namespace windows
