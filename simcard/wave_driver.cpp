#include "simcard/wave_driver.h"

#include "simcard/control_format.h"
#include "simcard/handle_table.h"
#include "simcard/private_messages.h"
#include "simcard/state_file.h"
#include "simcard/trace.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>

namespace simcard {
namespace {

// One message as it arrived.
struct Call {
    Direction direction;
    win::UINT device;
    win::UINT message;
    win::DWORD_PTR instance;
    win::DWORD_PTR param1;
    win::DWORD_PTR param2;
};

struct StandardCodes {
    win::UINT getNumDevs, getDevCaps, open, close;
};

constexpr StandardCodes kInputCodes{win::WIDM_GETNUMDEVS, win::WIDM_GETDEVCAPS, win::WIDM_OPEN,
                                    win::WIDM_CLOSE};
constexpr StandardCodes kOutputCodes{win::WODM_GETNUMDEVS, win::WODM_GETDEVCAPS, win::WODM_OPEN,
                                     win::WODM_CLOSE};

const StandardCodes& Codes(Direction direction) {
    return direction == Direction::Input ? kInputCodes : kOutputCodes;
}

std::int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int InstalledCards() {
    return ProcessCardState().Read([](const CardStateLayout& state) { return state.cardCount; });
}

MessageResult GetDevCaps(const Call& call) {
    const auto device = DeviceFromNumber(call.direction, call.device, InstalledCards());
    if (!device) return Refused(win::MMSYSERR_BADDEVICEID, "no such device");
    if (!call.param1) return Refused(win::MMSYSERR_INVALPARAM, "no record to fill");
    auto fill = [&](const auto& caps) {
        std::memcpy(reinterpret_cast<void*>(call.param1), &caps,
                    std::min<std::size_t>(call.param2, sizeof caps));
    };
    if (call.direction == Direction::Input) {
        fill(InputCaps(*device));
    } else {
        fill(OutputCaps(*device));
    }
    return Done();
}

MessageResult Open(const Call& call, HandleNumber& opened) {
    const auto device = DeviceFromNumber(call.direction, call.device, InstalledCards());
    if (!device) return Refused(win::MMSYSERR_BADDEVICEID, "no such device");
    const auto* description = reinterpret_cast<const win::WAVEOPENDESC*>(call.param1);
    if (!call.instance || !description || !description->lpFormat) {
        return Refused(win::MMSYSERR_INVALPARAM, "no open description or no place for the instance");
    }
    if (!IsControlFormat(*description->lpFormat)) {
        return Refused(win::WAVERR_BADFORMAT, "the card opens its devices for control only");
    }
    opened = ProcessHandles().Open(*device);
    *reinterpret_cast<win::DWORD_PTR*>(call.instance) = opened;
    return Done();
}

MessageResult Close(const Call& call) {
    if (!ProcessHandles().Close(call.instance)) return Refused(win::MMSYSERR_INVALHANDLE, "no such handle");
    return Done();
}

MessageResult OnHandle(const Call& call, StateFile& state) {
    const auto device = ProcessHandles().Device(call.instance);
    if (!device || device->direction != call.direction) {
        return Refused(win::MMSYSERR_INVALHANDLE, "no such handle");
    }
    return PrivateMessage(call.instance, *device, call.message, call.param1, state, ProcessHandles(),
                          ProcessLive(), NowMs());
}

MessageResult Answer(const Call& call, HandleNumber& opened, StateFile& state) {
    const StandardCodes& codes = Codes(call.direction);
    if (call.message == codes.getNumDevs)
        return {static_cast<win::MMRESULT>(DeviceCount(InstalledCards())), {}};
    if (call.message == codes.getDevCaps) return GetDevCaps(call);
    if (call.message == codes.open) return Open(call, opened);
    if (call.message == codes.close) return Close(call);
    return OnHandle(call, state);
}

std::string Hex(const char* name, unsigned long long value) {
    char text[40];
    std::snprintf(text, sizeof text, "%s=0x%08llX", name, value);
    return text;
}

std::string FormatText(const win::WAVEOPENDESC* description) {
    if (!description || !description->lpFormat) return "format=none";
    const win::WAVEFORMATEX& format = *description->lpFormat;
    if (IsControlFormat(format)) return "format=control";
    char text[80];
    std::snprintf(text, sizeof text, "format=%u/%u/%u/%u/%u", format.wFormatTag, format.nChannels,
                  format.nSamplesPerSec, format.wBitsPerSample, format.cbSize);
    return text;
}

// Open names the handle it made; device requests name none.
HandleNumber TracedHandle(const Call& call, HandleNumber opened) {
    const StandardCodes& codes = Codes(call.direction);
    if (call.message == codes.open) return opened;
    if (call.message == codes.getNumDevs || call.message == codes.getDevCaps) return 0;
    return call.instance;
}

std::string ParameterText(const Call& call) {
    const StandardCodes& codes = Codes(call.direction);
    if (call.message == codes.getNumDevs) return {};
    if (call.message == codes.open) {
        return " " + FormatText(reinterpret_cast<const win::WAVEOPENDESC*>(call.param1)) + " " +
               Hex("flags", call.param2);
    }
    if (call.message == codes.getDevCaps) return " size=" + std::to_string(call.param2);
    return " " + Hex("p1", call.param1) + " " + Hex("p2", call.param2);
}

void Trace(const Call& call, HandleNumber opened, const MessageResult& result) {
    char head[64];
    std::snprintf(head, sizeof head, "dev=%u inst=%llu msg=0x%04X", call.device,
                  static_cast<unsigned long long>(TracedHandle(call, opened)), call.message);
    std::string outcome = std::to_string(result.result);
    if (!result.why.empty()) outcome += ": " + result.why;
    WriteTraceLine(call.direction == Direction::Input ? "wavein" : "waveout", head + ParameterText(call),
                   outcome);
}

} // namespace

win::DWORD WaveDriverMessage(Direction direction, win::UINT device, win::UINT message,
                             win::DWORD_PTR instance, win::DWORD_PTR param1, win::DWORD_PTR param2) {
    const Call call{direction, device, message, instance, param1, param2};
    HandleNumber opened = 0;
    MessageResult result;
    // Looked up once for the answer and the trace: the level poll sends this message many times a
    // second, and the look-up reads the environment.
    StateFile* state = nullptr;
    try {
        state = &ProcessCardState();
        result = Answer(call, opened, *state);
    } catch (const std::exception& error) {
        result = Refused(win::MMSYSERR_ERROR, std::string("internal error: ") + error.what());
    } catch (...) {
        result = Refused(win::MMSYSERR_ERROR, "internal error");
    }
    try {
        if (state && TraceEnabled(*state)) Trace(call, opened, result);
    } catch (...) {
        // A trace line that cannot be built must not change the answer.
    }
    return result.result;
}

} // namespace simcard
