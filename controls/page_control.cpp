#include "controls/page_control.h"

#include "toolkit/errors.h"

namespace controls {

tk::TComponent* PageOfIndex(const PageControl& pageControl, int index) {
    return index >= 0 && index < pageControl.PageCount() ? pageControl.Pages(index) : nullptr;
}

int IndexOfPage(const PageControl& pageControl, const tk::TComponent* page) {
    for (int index = 0; index < pageControl.PageCount(); ++index)
        if (pageControl.Pages(index) == page) return index;
    tk::Abort();
}

} // namespace controls
