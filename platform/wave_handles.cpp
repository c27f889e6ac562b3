#include "platform/wave_handles.h"

namespace platform {

struct WaveHandleTable::OpenWave {
    WaveDirection direction;
    WaveDevice device;
    win::DWORD_PTR instance = 0; // the driver's data for this open
    std::mutex calls;            // held while the driver handles a call on this handle
    bool open = false;           // under calls: the driver has opened and not yet closed it
};

WaveHandleTable& WaveHandleTable::Instance() {
    static WaveHandleTable table;
    return table;
}

std::shared_ptr<WaveHandleTable::OpenWave> WaveHandleTable::Find(WaveDirection direction, win::HWAVE handle) {
    std::lock_guard lock(mutex_);
    const auto found = waves_.find(handle);
    if (found == waves_.end() || found->second->direction != direction) return nullptr;
    return found->second;
}

win::HWAVE WaveHandleTable::Insert(std::shared_ptr<OpenWave> wave) {
    std::lock_guard lock(mutex_);
    const win::HWAVE handle = ids_.Next([&](win::DWORD id) { return waves_.count(id) != 0; });
    waves_.emplace(handle, std::move(wave));
    return handle;
}

void WaveHandleTable::Erase(win::HWAVE handle) {
    std::lock_guard lock(mutex_);
    waves_.erase(handle);
}

// The handle is in the table while the driver opens it, so the driver already knows its number; a
// call that guesses it waits for the open and then finds it open or gone.
win::MMRESULT WaveHandleTable::Open(WaveDirection direction, const WaveDevice& device, win::HWAVE* handle,
                                    const win::WAVEFORMATEX* format, win::DWORD_PTR callback,
                                    win::DWORD_PTR instance, win::DWORD flags) {
    auto wave = std::make_shared<OpenWave>();
    wave->direction = direction;
    wave->device = device;
    std::lock_guard calls(wave->calls);
    const win::HWAVE opened = Insert(wave);
    const win::WAVEOPENDESC description{opened, format, callback, instance};
    const win::MMRESULT result = device.entry(device.localId, CodesFor(direction).open,
                                              reinterpret_cast<win::DWORD_PTR>(&wave->instance),
                                              reinterpret_cast<win::DWORD_PTR>(&description), flags);
    if (result != win::MMSYSERR_NOERROR) {
        Erase(opened);
        return result;
    }
    wave->open = true;
    *handle = opened;
    return win::MMSYSERR_NOERROR;
}

win::MMRESULT WaveHandleTable::Close(WaveDirection direction, win::HWAVE handle) {
    const auto wave = Find(direction, handle);
    if (!wave) return win::MMSYSERR_INVALHANDLE;
    std::lock_guard calls(wave->calls);
    if (!wave->open) return win::MMSYSERR_INVALHANDLE;
    const win::MMRESULT result =
        wave->device.entry(wave->device.localId, CodesFor(direction).close, wave->instance, 0, 0);
    if (result != win::MMSYSERR_NOERROR) return result;
    wave->open = false;
    Erase(handle);
    return win::MMSYSERR_NOERROR;
}

win::MMRESULT WaveHandleTable::Message(WaveDirection direction, win::HWAVE handle, win::UINT message,
                                       win::DWORD_PTR param1, win::DWORD_PTR param2) {
    const auto wave = Find(direction, handle);
    if (!wave) return win::MMSYSERR_INVALHANDLE;
    // Opening and closing go through the table, or it would lose track of the driver's instances.
    const WaveDirectionCodes& codes = CodesFor(direction);
    if (message == codes.open || message == codes.close) return win::MMSYSERR_INVALPARAM;
    std::lock_guard calls(wave->calls);
    if (!wave->open) return win::MMSYSERR_INVALHANDLE;
    return wave->device.entry(wave->device.localId, message, wave->instance, param1, param2);
}

} // namespace platform
