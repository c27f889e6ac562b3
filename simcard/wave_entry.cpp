// The driver library's wave entry points, as the wave device stand-in calls them.
#include "simcard/wave_driver.h"

extern "C" __attribute__((visibility("default"))) win::DWORD widMessage(win::UINT uDeviceID, win::UINT uMsg,
                                                                        win::DWORD_PTR dwUser,
                                                                        win::DWORD_PTR dwParam1,
                                                                        win::DWORD_PTR dwParam2) {
    return simcard::WaveDriverMessage(simcard::Direction::Input, uDeviceID, uMsg, dwUser, dwParam1, dwParam2);
}

extern "C" __attribute__((visibility("default"))) win::DWORD wodMessage(win::UINT uDeviceID, win::UINT uMsg,
                                                                        win::DWORD_PTR dwUser,
                                                                        win::DWORD_PTR dwParam1,
                                                                        win::DWORD_PTR dwParam2) {
    return simcard::WaveDriverMessage(simcard::Direction::Output, uDeviceID, uMsg, dwUser, dwParam1,
                                      dwParam2);
}
