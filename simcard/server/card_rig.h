#pragma once
// One card on the sound server: the devices it records and plays to, and its block of signal work. It
// records the card's playback devices (their monitors carry what applications play) and the real
// sources its inputs are wired to (of the digital input's only the selected one), mixes as the card's
// hardware says, and plays to the real sinks its outputs are wired to and into the feeds of its capture
// devices. The streams are serve's, shared by every card wired to the same device.
#include "simcard/hardware_state.h"
#include "simcard/serve/card_mixer.h"
#include "simcard/server/connections.h"
#include "simcard/server/device_bus.h"
#include "simcard/server/server_catalog.h"

#include <array>
#include <string>
#include <vector>

namespace simcard::server {

// A device a card uses (empty: none) and the name its stream has on the server.
struct WiredStream {
    std::string device;
    std::string label;
};

class CardRig {
public:
    enum RecordSlot { kAnalogPlayback, kDigitalPlayback, kAnalogSource, kDigitalSource, kRecordSlots };
    enum PlaybackSlot { kAnalogOutput, kDigitalOutput, kAnalogCapture, kDigitalCapture, kPlaybackSlots };

    explicit CardRig(int card) : card_(card) {}

    int card() const { return card_; }

    // Chooses the devices as the server's devices, the connections and the digital input's select say
    // now; one the server does not have is none. The server's facts about the card are taken here too:
    // they change only with the catalog, which rewires.
    void Wire(const ServerCatalog& catalog, const Connections& connections, Connector selectedDigital);
    Connector wiredDigital() const { return wiredDigital_; }
    // The selected digital source's rate in Hz, 0 without one.
    std::int32_t lockRate() const { return lockRate_; }
    bool applicationPlays() const { return applicationPlays_; }
    const std::array<WiredStream, kRecordSlots>& records() const { return records_; }
    const std::array<WiredStream, kPlaybackSlots>& playbacks() const { return playbacks_; }

    // Takes the recorded devices' blocks from the bus and adds what the card plays to its mixes.
    serve::BlockPeaks RunBlock(serve::CardMixer& mixer, const CardHardware& hardware, DeviceBus& bus,
                               std::size_t frames);

private:
    int card_; // 0..3
    Connector wiredDigital_ = Connector::Optical;
    std::int32_t lockRate_ = 0;
    bool applicationPlays_ = false;
    bool analogRecording_ = false;  // an application records from the analog capture device
    bool digitalRecording_ = false; // and from the digital one
    std::array<WiredStream, kRecordSlots> records_;
    std::array<WiredStream, kPlaybackSlots> playbacks_;
    std::array<std::vector<float>, kPlaybackSlots> blocks_;
};

} // namespace simcard::server
