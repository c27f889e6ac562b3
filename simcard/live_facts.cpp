#include "simcard/live_facts.h"

#include "simcard/config_records.h"

namespace simcard {

CardHardware WithLiveFacts(const CardHardware& stored, int card, LiveReader& live) {
    CardHardware hardware = stored;
    switch (live.Status()) {
    case LiveStatus::NoServer:
        break;
    case LiveStatus::Live:
        hardware.lockRate = live.LockRate(card);
        hardware.playbackRunning = live.PlaybackRunning(card) ? kTrue : kFalse;
        break;
    case LiveStatus::Stale:
        hardware.lockRate = 0;
        hardware.playbackRunning = kFalse;
        break;
    }
    return hardware;
}

} // namespace simcard
