#pragma once
// What the wave driver answers to a message, and why when it refuses.
#include "platform/mmsystem.h"

#include <string>

namespace simcard {

struct MessageResult {
    win::MMRESULT result = win::MMSYSERR_NOERROR;
    std::string why; // for the trace, when result is nonzero
};

inline MessageResult Done() {
    return {};
}

inline MessageResult Refused(win::MMRESULT result, std::string why) {
    return {result, std::move(why)};
}

} // namespace simcard
