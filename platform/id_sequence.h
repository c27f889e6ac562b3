#pragma once
// Ids for handles and timers: nonzero 32-bit numbers handed out in turn and skipping those still in use,
// so that a stale id names nothing until the counter has gone all the way round.
#include "platform/win_types.h"

namespace platform {

class IdSequence {
public:
    explicit IdSequence(win::DWORD last) : last_(last) {}

    // inUse(id) tells whether id is still taken. The caller serialises calls.
    template <class InUse> win::DWORD Next(InUse inUse) {
        do
            ++last_;
        while (last_ == 0 || inUse(last_));
        return last_;
    }

private:
    win::DWORD last_; // the id handed out last
};

} // namespace platform
