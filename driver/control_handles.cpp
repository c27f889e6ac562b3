#include "driver/control_handles.h"

#include "driver/silent_abort.h"

#include <algorithm>

namespace driver {
namespace {

std::int32_t DeviceIdOfSlot(const std::array<std::int32_t, SlotCount>& ids, int slot) {
    return slot >= 0 && slot < SlotCount ? ids[slot] : -1;
}

template <class Open>
void OpenControl(Open open, const std::array<std::int32_t, SlotCount>& ids, win::HWND callbackWindow,
                 int slot, win::HWAVE& handle) {
    const std::int32_t device = DeviceIdOfSlot(ids, slot);
    // -1 would reach the system as the wave mapper and open some other device.
    if (device < 0) throw SilentAbort(win::MMSYSERR_BADDEVICEID);
    const win::DWORD notify = callbackWindow ? win::CALLBACK_WINDOW : win::CALLBACK_NULL;
    const win::MMRESULT result =
        open(&handle, static_cast<win::UINT>(device), &ControlOpenFormat.wave, callbackWindow, 0, notify);
    if (result != win::MMSYSERR_NOERROR) throw SilentAbort(result);
}

} // namespace

void OpenInControl(win::HWND callbackWindow, int slot, win::HWAVEIN& handle) {
    OpenControl(win::waveInOpen, WaveInIds, callbackWindow, slot, handle);
}

void OpenOutControl(win::HWND callbackWindow, int slot, win::HWAVEOUT& handle) {
    OpenControl(win::waveOutOpen, WaveOutIds, callbackWindow, slot, handle);
}

void OpenControlRun(win::HWND callbackWindow, DeviceKind kind, Direction direction, int firstChannel,
                    int lastChannel, int firstCard, int lastCard, std::span<win::HWAVE> handles) {
    const int channels = std::max(lastChannel - firstChannel + 1, 0);
    const int cards = std::max(lastCard - firstCard + 1, 0);
    if (std::size_t(channels) * std::size_t(cards) > handles.size())
        throw SilentAbort(win::MMSYSERR_INVALPARAM);
    auto next = handles.begin();
    for (int card = firstCard; card <= lastCard; ++card) {
        for (int channel = firstChannel; channel <= lastChannel; ++channel) {
            const int slot = kind + 2 * card + channel / 2;
            if (direction == Direction::Input)
                OpenInControl(callbackWindow, slot, *next);
            else
                OpenOutControl(callbackWindow, slot, *next);
            ++next;
        }
    }
}

void CloseControlRun(Direction direction, int count, std::span<win::HWAVE> handles) {
    const auto run = handles.first(std::min(std::size_t(std::max(count, 0)), handles.size()));
    for (win::HWAVE& handle : run) {
        if (handle == 0) continue;
        const win::MMRESULT result =
            direction == Direction::Input ? win::waveInClose(handle) : win::waveOutClose(handle);
        if (result == win::MMSYSERR_NOERROR) handle = 0;
    }
}

} // namespace driver
