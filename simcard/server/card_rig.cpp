#include "simcard/server/card_rig.h"

namespace simcard::server {
namespace {

std::string StreamLabel(int card, std::string_view what) {
    return "Kova 2 Karte #" + std::to_string(card + 1) + " " + std::string(what);
}

} // namespace

void CardRig::Wire(const ServerCatalog& catalog, const Connections& connections, Connector selectedDigital) {
    wiredDigital_ = selectedDigital;
    const auto sinkIfThere = [&](const std::string& name) {
        return catalog.HasSink(name) ? name : std::string();
    };
    const auto sourceIfThere = [&](const std::string& name) {
        return catalog.HasSource(name) ? name : std::string();
    };
    const auto wired = [&](Connector connector) {
        return WiredDevice(connections.Get(card_, connector), connector, catalog.defaults);
    };

    for (const auto& [slot, endpoint] : {std::pair{kAnalogPlayback, Endpoint::AnalogOut},
                                         std::pair{kDigitalPlayback, Endpoint::DigitalOut}}) {
        const std::string sink = EndpointName(card_, endpoint);
        records_[slot] = {catalog.HasSink(sink) ? MonitorName(sink) : std::string(),
                          StreamLabel(card_, "Wiedergabe")};
    }
    for (const auto& [slot, connector] :
         {std::pair{kAnalogSource, Connector::AnalogIn}, std::pair{kDigitalSource, selectedDigital}}) {
        records_[slot] = {sourceIfThere(wired(connector)), StreamLabel(card_, ConnectorName(connector))};
    }
    playbacks_[kAnalogOutput] = {sinkIfThere(wired(Connector::AnalogOut)), StreamLabel(card_, "analog-out")};
    playbacks_[kDigitalOutput] = {sinkIfThere(wired(Connector::DigitalOut)),
                                  StreamLabel(card_, "digital-out")};
    playbacks_[kAnalogCapture] = {sinkIfThere(FeedSinkName(card_, Endpoint::AnalogIn)),
                                  StreamLabel(card_, "analog-in")};
    playbacks_[kDigitalCapture] = {sinkIfThere(FeedSinkName(card_, Endpoint::DigitalIn)),
                                   StreamLabel(card_, "digital-in")};
    lockRate_ = catalog.SourceRate(records_[kDigitalSource].device);
    applicationPlays_ = catalog.ApplicationPlays(card_);
    analogRecording_ = catalog.ApplicationRecords(card_, Endpoint::AnalogIn);
    digitalRecording_ = catalog.ApplicationRecords(card_, Endpoint::DigitalIn);
}

serve::BlockPeaks CardRig::RunBlock(serve::CardMixer& mixer, const CardHardware& hardware, DeviceBus& bus,
                                    std::size_t frames) {
    const auto recorded = [&](RecordSlot slot) { return bus.Recorded(records_[slot].device); };
    serve::MixerInputs inputs;
    inputs.analogSource = recorded(kAnalogSource);
    const std::span<const float> digital = recorded(kDigitalSource);
    switch (wiredDigital_) {
    case Connector::Electrical:
        inputs.electricalSource = digital;
        break;
    case Connector::Cd:
        inputs.cdSource = digital;
        break;
    default:
        inputs.opticalSource = digital;
        break;
    }
    inputs.analogPlayback = recorded(kAnalogPlayback);
    inputs.digitalPlayback = recorded(kDigitalPlayback);
    inputs.analogRecording = analogRecording_;
    inputs.digitalRecording = digitalRecording_;
    for (auto& block : blocks_)
        block.resize(frames * serve::kChannels);
    serve::MixerOutputs outputs{blocks_[kAnalogOutput], blocks_[kDigitalOutput], blocks_[kAnalogCapture],
                                blocks_[kDigitalCapture]};
    const serve::BlockPeaks peaks = mixer.Process(hardware, inputs, outputs, frames);
    for (std::size_t slot = 0; slot < kPlaybackSlots; ++slot)
        bus.AddToMix(playbacks_[slot].device, blocks_[slot]);
    return peaks;
}

} // namespace simcard::server
