// onboard.DRV: the computer's own sound device, one input and one output of another maker than the
// card's, installed beside the card so that device discovery always has a device to pass over. Its
// product ids are those of the card's analog devices on purpose: only the maker tells them apart.
#include "platform/wave_driver.h"

#include <cstring>

namespace {

constexpr win::WORD Manufacturer = 100;
constexpr win::WORD InputProduct = 23;
constexpr win::WORD OutputProduct = 24;
constexpr win::MMVERSION DriverVersion = 0x0100;
constexpr win::DWORD AllPcmFormats = 0x00000FFF; // 11.025 to 44.1 kHz, 8 and 16 bits, mono and stereo

// What the client asked to be told on open and close.
struct Instance {
    win::DWORD_PTR callback;
    win::DWORD flags;
    win::HWAVE wave;
    win::DWORD_PTR user;
};

template <class Caps>
win::DWORD FillCaps(win::DWORD_PTR record, win::DWORD_PTR size, win::WORD product, const char* name) {
    if (!record || size < sizeof(Caps)) return win::MMSYSERR_INVALPARAM;
    Caps caps{};
    caps.wMid = Manufacturer;
    caps.wPid = product;
    caps.vDriverVersion = DriverVersion;
    std::strncpy(caps.szPname, name, sizeof caps.szPname - 1);
    caps.dwFormats = AllPcmFormats;
    caps.wChannels = 2;
    std::memcpy(reinterpret_cast<void*>(record), &caps, sizeof caps);
    return win::MMSYSERR_NOERROR;
}

bool IsPlayablePcm(const win::WAVEFORMATEX& format) {
    return format.wFormatTag == win::WAVE_FORMAT_PCM && (format.nChannels == 1 || format.nChannels == 2) &&
           (format.wBitsPerSample == 8 || format.wBitsPerSample == 16) && format.nSamplesPerSec >= 8000 &&
           format.nSamplesPerSec <= 48000 &&
           format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8;
}

win::DWORD Open(win::DWORD_PTR user, win::DWORD_PTR description, win::DWORD flags, win::UINT notification) {
    const auto* open = reinterpret_cast<const win::WAVEOPENDESC*>(description);
    if (!open || !open->lpFormat || !user) return win::MMSYSERR_INVALPARAM;
    if (!IsPlayablePcm(*open->lpFormat)) return win::WAVERR_BADFORMAT;
    auto* instance = new Instance{open->dwCallback, flags, open->hWave, open->dwInstance};
    *reinterpret_cast<win::DWORD_PTR*>(user) = reinterpret_cast<win::DWORD_PTR>(instance);
    win::DriverCallback(instance->callback, instance->flags, instance->wave, notification, instance->user, 0,
                        0);
    return win::MMSYSERR_NOERROR;
}

win::DWORD Close(win::DWORD_PTR user, win::UINT notification) {
    auto* instance = reinterpret_cast<Instance*>(user);
    if (!instance) return win::MMSYSERR_INVALHANDLE;
    win::DriverCallback(instance->callback, instance->flags, instance->wave, notification, instance->user, 0,
                        0);
    delete instance;
    return win::MMSYSERR_NOERROR;
}

// The one device of a direction and the codes that reach it.
struct Device {
    win::UINT getNumDevs, getDevCaps, open, close; // messages
    win::WORD product;
    const char* name;
    win::UINT opened, closed; // notifications
};

constexpr Device Input{win::WIDM_GETNUMDEVS, win::WIDM_GETDEVCAPS, win::WIDM_OPEN,   win::WIDM_CLOSE,
                       InputProduct,         "On-board Audio In",  win::MM_WIM_OPEN, win::MM_WIM_CLOSE};
constexpr Device Output{win::WODM_GETNUMDEVS, win::WODM_GETDEVCAPS, win::WODM_OPEN,   win::WODM_CLOSE,
                        OutputProduct,        "On-board Audio Out", win::MM_WOM_OPEN, win::MM_WOM_CLOSE};

template <class Caps>
win::DWORD Message(const Device& of, win::UINT device, win::UINT message, win::DWORD_PTR user,
                   win::DWORD_PTR param1, win::DWORD_PTR param2) {
    if (message == of.getNumDevs) return 1;
    if (device != 0) return win::MMSYSERR_BADDEVICEID;
    if (message == of.getDevCaps) return FillCaps<Caps>(param1, param2, of.product, of.name);
    if (message == of.open) return Open(user, param1, static_cast<win::DWORD>(param2), of.opened);
    if (message == of.close) return Close(user, of.closed);
    return win::MMSYSERR_NOTSUPPORTED;
}

} // namespace

extern "C" __attribute__((visibility("default"))) win::DWORD widMessage(win::UINT device, win::UINT message,
                                                                        win::DWORD_PTR user,
                                                                        win::DWORD_PTR param1,
                                                                        win::DWORD_PTR param2) {
    return Message<win::WAVEINCAPSA>(Input, device, message, user, param1, param2);
}

extern "C" __attribute__((visibility("default"))) win::DWORD wodMessage(win::UINT device, win::UINT message,
                                                                        win::DWORD_PTR user,
                                                                        win::DWORD_PTR param1,
                                                                        win::DWORD_PTR param2) {
    return Message<win::WAVEOUTCAPSA>(Output, device, message, user, param1, param2);
}
