#include "windows/channel_messages.h"

namespace windows {

win::MMRESULT SendToHandle(driver::Direction direction, win::HWAVE handle, win::UINT message, win::DWORD param) {
    return direction == driver::Direction::Input ? win::waveInMessage(handle, message, param, 0)
                                                 : win::waveOutMessage(handle, message, param, 0);
}

} // namespace windows
