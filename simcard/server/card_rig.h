#pragma once
// One card on the sound server: the streams serve keeps for it and its block of signal work. It
// records the card's playback devices (their monitors carry what applications play) and the real
// sources its inputs are wired to (of the digital input's only the selected one), mixes as the card's
// hardware says, and plays to the real sinks its outputs are wired to and into the feeds of its capture
// devices.
#include "simcard/hardware_state.h"
#include "simcard/serve/card_mixer.h"
#include "simcard/server/connections.h"
#include "simcard/server/pulse_streams.h"
#include "simcard/server/server_catalog.h"

#include <array>
#include <vector>

namespace simcard::server {

class CardRig {
public:
    explicit CardRig(int card) : card_(card) {}

    int card() const { return card_; }

    // Makes, replaces or drops streams as the server's devices, the connections and the digital input's
    // select say now.
    void Wire(pa_context* context, const ServerCatalog& catalog, const Connections& connections,
              Connector selectedDigital);
    Connector wiredDigital() const { return wiredDigital_; }
    void DropStreams();

    serve::BlockPeaks RunBlock(serve::CardMixer& mixer, const CardHardware& hardware,
                               const ServerCatalog& catalog, std::size_t frames);

private:
    enum RecordSlot { kAnalogPlayback, kDigitalPlayback, kAnalogSource, kDigitalSource, kRecordSlots };
    enum PlaybackSlot { kAnalogOutput, kDigitalOutput, kAnalogCapture, kDigitalCapture, kPlaybackSlots };

    std::span<const float> Recorded(RecordSlot slot, std::size_t frames);

    int card_; // 0..3
    Connector wiredDigital_ = Connector::Optical;
    std::array<StreamSlot<RecordStream>, kRecordSlots> records_;
    std::array<StreamSlot<PlaybackStream>, kPlaybackSlots> playbacks_;
    std::array<std::vector<float>, kPlaybackSlots> blocks_;
};

} // namespace simcard::server
