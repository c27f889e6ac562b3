#pragma once
// The table of open wave handles: 32-bit ids, each naming one open instance of a driver's device.
// Any thread. Calls on one handle run one at a time, so a close never pulls the instance away from a
// message that is still with the driver.
#include "platform/id_sequence.h"
#include "platform/wave_driver_set.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace platform {

class WaveHandleTable {
public:
    static WaveHandleTable& Instance();

    // Opens device through its driver and on success stores the new handle in *handle.
    win::MMRESULT Open(WaveDirection direction, const WaveDevice& device, win::HWAVE* handle,
                       const win::WAVEFORMATEX* format, win::DWORD_PTR callback, win::DWORD_PTR instance,
                       win::DWORD flags);
    // A handle whose driver refuses the close stays open.
    win::MMRESULT Close(WaveDirection direction, win::HWAVE handle);
    win::MMRESULT Message(WaveDirection direction, win::HWAVE handle, win::UINT message,
                          win::DWORD_PTR param1, win::DWORD_PTR param2);

private:
    struct OpenWave;
    std::shared_ptr<OpenWave> Find(WaveDirection direction, win::HWAVE handle);
    win::HWAVE Insert(std::shared_ptr<OpenWave> wave);
    void Erase(win::HWAVE handle);

    std::mutex mutex_; // guards the two below, never held while a driver runs
    std::unordered_map<win::HWAVE, std::shared_ptr<OpenWave>> waves_;
    IdSequence ids_{0x00020000}; // wave handles look apart from window handles in a trace
};

} // namespace platform
