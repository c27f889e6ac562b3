// The multimedia system's wave functions over the installed wave drivers and the table of open handles.
#include "platform/message_post.h"
#include "platform/wave_handles.h"

#include <cstring>

namespace platform {
namespace {

template <class Caps>
win::MMRESULT GetDevCaps(WaveDirection direction, win::UINT_PTR id, Caps* caps, win::UINT size) {
    if (!caps || size < sizeof(Caps)) return win::MMSYSERR_INVALPARAM;
    if (id > 0xFFFFFFFFu) return win::MMSYSERR_BADDEVICEID;
    const auto device = WaveDriverSet::Current()->Device(direction, static_cast<win::UINT>(id));
    if (!device) return win::MMSYSERR_BADDEVICEID;
    Caps answer{};
    const win::MMRESULT result = device->entry(device->localId, CodesFor(direction).getDevCaps, 0,
                                               reinterpret_cast<win::DWORD_PTR>(&answer), sizeof answer);
    if (result != win::MMSYSERR_NOERROR) return result;
    answer.szPname[sizeof answer.szPname - 1] = '\0'; // readers rely on the terminator
    std::memcpy(caps, &answer, sizeof answer);
    return win::MMSYSERR_NOERROR;
}

win::MMRESULT Open(WaveDirection direction, win::HWAVE* handle, win::UINT id, const win::WAVEFORMATEX* format,
                   win::DWORD_PTR callback, win::DWORD_PTR instance, win::DWORD flags) {
    if (!handle || !format) return win::MMSYSERR_INVALPARAM;
    // A window or nothing; no other way of telling the client is offered, and no open flags.
    if (flags != win::CALLBACK_NULL && flags != win::CALLBACK_WINDOW) return win::MMSYSERR_INVALFLAG;
    // No wave mapper either: an id names one device or none.
    const auto device = WaveDriverSet::Current()->Device(direction, id);
    if (!device) return win::MMSYSERR_BADDEVICEID;
    return WaveHandleTable::Instance().Open(direction, *device, handle, format, callback, instance, flags);
}

} // namespace
} // namespace platform

namespace win {

using platform::WaveDirection;
using platform::WaveDriverSet;
using platform::WaveHandleTable;

UINT waveInGetNumDevs() {
    return WaveDriverSet::Current()->DeviceCount(WaveDirection::Input);
}
UINT waveOutGetNumDevs() {
    return WaveDriverSet::Current()->DeviceCount(WaveDirection::Output);
}

MMRESULT waveInGetDevCapsA(UINT_PTR uDeviceID, WAVEINCAPSA* pwic, UINT cbwic) {
    return platform::GetDevCaps(WaveDirection::Input, uDeviceID, pwic, cbwic);
}

MMRESULT waveOutGetDevCapsA(UINT_PTR uDeviceID, WAVEOUTCAPSA* pwoc, UINT cbwoc) {
    return platform::GetDevCaps(WaveDirection::Output, uDeviceID, pwoc, cbwoc);
}

MMRESULT waveInOpen(HWAVEIN* phwi, UINT uDeviceID, const WAVEFORMATEX* pwfx, DWORD_PTR dwCallback,
                    DWORD_PTR dwInstance, DWORD fdwOpen) {
    return platform::Open(WaveDirection::Input, phwi, uDeviceID, pwfx, dwCallback, dwInstance, fdwOpen);
}

MMRESULT waveOutOpen(HWAVEOUT* phwo, UINT uDeviceID, const WAVEFORMATEX* pwfx, DWORD_PTR dwCallback,
                     DWORD_PTR dwInstance, DWORD fdwOpen) {
    return platform::Open(WaveDirection::Output, phwo, uDeviceID, pwfx, dwCallback, dwInstance, fdwOpen);
}

MMRESULT waveInClose(HWAVEIN hwi) {
    return WaveHandleTable::Instance().Close(WaveDirection::Input, hwi);
}
MMRESULT waveOutClose(HWAVEOUT hwo) {
    return WaveHandleTable::Instance().Close(WaveDirection::Output, hwo);
}

MMRESULT waveInMessage(HWAVEIN hwi, UINT uMsg, DWORD_PTR dw1, DWORD_PTR dw2) {
    return WaveHandleTable::Instance().Message(WaveDirection::Input, hwi, uMsg, dw1, dw2);
}

MMRESULT waveOutMessage(HWAVEOUT hwo, UINT uMsg, DWORD_PTR dw1, DWORD_PTR dw2) {
    return WaveHandleTable::Instance().Message(WaveDirection::Output, hwo, uMsg, dw1, dw2);
}

BOOL DriverCallback(DWORD_PTR dwCallback, DWORD dwFlags, HANDLE32 hDevice, UINT dwMsg, DWORD_PTR,
                    DWORD_PTR dwParam1, DWORD_PTR) {
    if ((dwFlags & CALLBACK_TYPEMASK) != CALLBACK_WINDOW || dwCallback == 0 || dwCallback > 0xFFFFFFFFu)
        return FALSE;
    return platform::PostWindowMessage(static_cast<HWND>(dwCallback), dwMsg, hDevice,
                                       static_cast<LPARAM>(dwParam1));
}

} // namespace win
