#pragma once
// The page look-ups that the window-state walk uses.
namespace tk {
class TPageControl;
class TTabSheet;
} // namespace tk

namespace controls {

// The page at index; nullptr when there is none.
tk::TTabSheet* PageOfIndex(const tk::TPageControl& pageControl, int index);
// The first index that holds page; ends the current operation silently (tk::EAbort) when none does.
int IndexOfPage(const tk::TPageControl& pageControl, const tk::TTabSheet* page);

} // namespace controls
