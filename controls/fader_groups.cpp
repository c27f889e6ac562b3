#include "controls/fader_groups.h"

#include "controls/slider.h"
#include "toolkit/win_control.h"

#include <QPointer>
#include <vector>

namespace controls {
namespace {

using Faders = std::vector<QPointer<TSlider>>;

Faders FadersOwnedBy(const tk::TComponent* owner) {
    Faders faders;
    for (tk::TComponent* component : owner->ComponentList())
        if (auto* fader = qobject_cast<TSlider*>(component)) faders.emplace_back(fader);
    return faders;
}

Faders FadersShownBy(const tk::TWinControl* parent) {
    Faders faders;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* fader = qobject_cast<TSlider*>(parent->Controls(i))) faders.emplace_back(fader);
    return faders;
}

} // namespace

void ForEachFader(tk::TComponent* owner, const std::function<void(tk::TComponent* owner, TSlider* fader)>& action) {
    for (const auto& fader : FadersOwnedBy(owner))
        if (fader && !fader->IsDestroying()) action(owner, fader);
}

void ForEachSiblingFader(TSlider* fader, const std::function<void(TSlider* fader, TSlider* sibling)>& action) {
    if (!fader->Parent()) return;
    for (const auto& sibling : FadersShownBy(fader->Parent()))
        if (sibling && !sibling->IsDestroying()) action(fader, sibling);
}

void AlignSiblingFaders(TSlider* fader, tk::TWinControl* container) {
    if (!fader && container) {
        const Faders faders = FadersShownBy(container);
        if (!faders.empty()) fader = faders.front();
    }
    if (!fader) return;
    const int position = fader->Position();
    ForEachSiblingFader(fader, [position](TSlider*, TSlider* sibling) { sibling->SetPosition(position); });
}

} // namespace controls
