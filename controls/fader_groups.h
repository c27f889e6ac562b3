#pragma once
// Operations on groups of faders that the channel windows use: every fader of a window, the faders
// that share a fader's panel, and bringing those to one position. Each visits the faders present when
// it starts, in order, and skips one that an earlier action freed.
#include <functional>

namespace tk {
class TComponent;
class TWinControl;
} // namespace tk

namespace controls {

class TSlider;

// action(owner, fader) for every component of owner that is a fader, in component order.
void ForEachFader(tk::TComponent* owner, const std::function<void(tk::TComponent* owner, TSlider* fader)>& action);
// action(fader, sibling) for every fader among the controls of fader's parent, in the parent's control
// order, fader itself included. What the action needs besides travels in its captures.
void ForEachSiblingFader(TSlider* fader, const std::function<void(TSlider* fader, TSlider* sibling)>& action);
// Sets every fader of fader's parent to fader's position. Without a fader, the first fader among
// container's controls stands in; with none there, nothing happens.
void AlignSiblingFaders(TSlider* fader, tk::TWinControl* container);

} // namespace controls
