#pragma once
// The card's wave devices as the wave device stand-in uses them: the driver library's entry points,
// called directly, with control handles that close themselves.
#include "platform/wave_driver.h"
#include "simcard/card_devices.h"
#include "simcard/wave_codes.h"
#include "tests/simcard/heap_block.h"

#include <array>
#include <cstring>

extern "C" win::DWORD widMessage(win::UINT, win::UINT, win::DWORD_PTR, win::DWORD_PTR, win::DWORD_PTR);
extern "C" win::DWORD wodMessage(win::UINT, win::UINT, win::DWORD_PTR, win::DWORD_PTR, win::DWORD_PTR);

namespace simcard {

#pragma pack(push, 1)
struct ControlOpenFormat {
    win::WAVEFORMATEX format{win::WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 4};
    char extra[5] = {'C', 'T', 'R', 'L', 0};
};
#pragma pack(pop)
static_assert(sizeof(ControlOpenFormat) == 23);

inline win::WaveDriverEntry Entry(Direction direction) {
    return direction == Direction::Input ? widMessage : wodMessage;
}

inline win::UINT OpenCode(Direction direction) {
    return direction == Direction::Input ? win::WIDM_OPEN : win::WODM_OPEN;
}

// Opens device number device (per direction: 2 × card + kind) with format, instance data in instance.
inline win::DWORD OpenDevice(Direction direction, win::UINT device, const win::WAVEFORMATEX* format,
                             win::DWORD_PTR& instance) {
    const win::WAVEOPENDESC description{0, format, 0, 0};
    return Entry(direction)(device, OpenCode(direction), reinterpret_cast<win::DWORD_PTR>(&instance),
                            reinterpret_cast<win::DWORD_PTR>(&description), win::CALLBACK_NULL);
}

class ControlHandle {
public:
    ControlHandle(Direction direction, win::UINT device) : direction_(direction), device_(device) {
        const ControlOpenFormat format;
        openResult_ = OpenDevice(direction, device, &format.format, instance_);
    }
    ~ControlHandle() {
        if (openResult_ == win::MMSYSERR_NOERROR) Close();
    }
    ControlHandle(const ControlHandle&) = delete;
    ControlHandle& operator=(const ControlHandle&) = delete;

    win::DWORD openResult() const { return openResult_; }
    win::DWORD_PTR instance() const { return instance_; }

    win::DWORD Send(win::UINT message, win::DWORD_PTR param = 0) const {
        return Entry(direction_)(device_, message, instance_, param, 0);
    }
    win::DWORD Close() {
        const win::DWORD result = Entry(direction_)(
            device_, direction_ == Direction::Input ? win::WIDM_CLOSE : win::WODM_CLOSE, instance_, 0, 0);
        openResult_ = win::MMSYSERR_INVALHANDLE;
        return result;
    }

    // Sends message with a fresh block of size bytes and returns the block's bytes after the call.
    template <std::size_t Size>
    std::array<std::byte, Size> Read(win::UINT message, win::DWORD* result = nullptr) const {
        HeapBlock block(Size);
        const win::DWORD answer = Send(message, block.address());
        if (result) *result = answer;
        std::array<std::byte, Size> bytes;
        std::memcpy(bytes.data(), block.flat(), Size);
        return bytes;
    }
    std::uint32_t Read32(win::UINT message) const {
        const auto bytes = Read<4>(message);
        std::uint32_t value;
        std::memcpy(&value, bytes.data(), sizeof value);
        return value;
    }

private:
    Direction direction_;
    win::UINT device_;
    win::DWORD_PTR instance_ = 0;
    win::DWORD openResult_;
};

// Device numbers per direction.
constexpr win::UINT AnalogDevice(int card) {
    return static_cast<win::UINT>(2 * card);
}
constexpr win::UINT DigitalDevice(int card) {
    return static_cast<win::UINT>(2 * card + 1);
}

} // namespace simcard
