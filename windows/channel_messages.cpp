#include "windows/channel_messages.h"

#include "toolkit/win_control.h"

namespace windows {

int CardOf(const tk::TControl* control) {
    return control && control->Parent() ? control->Parent()->Tag() : -1;
}

win::MMRESULT SendToHandle(driver::Direction direction, win::HWAVE handle, win::UINT message, win::DWORD param) {
    return direction == driver::Direction::Input ? win::waveInMessage(handle, message, param, 0)
                                                 : win::waveOutMessage(handle, message, param, 0);
}

} // namespace windows
