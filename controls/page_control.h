#pragma once
// What the window-state walk and the page look-ups need of a page control. The page control class
// implements it.
namespace tk {
class TComponent;
}

namespace controls {

class PageControl {
public:
    virtual ~PageControl() = default;
    virtual int PageCount() const = 0;
    virtual tk::TComponent* Pages(int index) const = 0;
    // nullptr when no page is active.
    virtual tk::TComponent* ActivePage() const = 0;
    virtual void SetActivePage(tk::TComponent* page) = 0;
};

// The page at index; nullptr when there is none.
tk::TComponent* PageOfIndex(const PageControl& pageControl, int index);
// The first index that holds page; ends the current operation silently (tk::EAbort) when none does.
int IndexOfPage(const PageControl& pageControl, const tk::TComponent* page);

} // namespace controls
