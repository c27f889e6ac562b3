#pragma once
// The facts that serve owns while it runs (the digital input's lock rate, whether an application
// plays), laid over the card's stored hardware: the live file's while serve is live, none (no lock,
// no playback) while its heartbeat has stopped, card.state's own without serve.
#include "simcard/hardware_state.h"
#include "simcard/live_file.h"

namespace simcard {

CardHardware WithLiveFacts(const CardHardware& stored, int card, LiveReader& live);

} // namespace simcard
