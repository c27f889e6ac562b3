#include "controls/page_control.h"

#include "toolkit/errors.h"
#include "toolkit/page_control.h"

namespace controls {

tk::TTabSheet* PageOfIndex(const tk::TPageControl& pageControl, int index) { return pageControl.Pages(index); }

int IndexOfPage(const tk::TPageControl& pageControl, const tk::TTabSheet* page) {
    const int index = pageControl.IndexOf(page);
    if (index < 0) tk::Abort();
    return index;
}

} // namespace controls
