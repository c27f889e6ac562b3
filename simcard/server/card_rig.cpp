#include "simcard/server/card_rig.h"

namespace simcard::server {
namespace {

std::string StreamLabel(int card, std::string_view what) {
    return "Kova 2 Karte #" + std::to_string(card + 1) + " " + std::string(what);
}

} // namespace

void CardRig::Wire(pa_context* context, const ServerCatalog& catalog, const Connections& connections,
                   Connector selectedDigital) {
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
        records_[slot].Follow(context, catalog.HasSink(sink) ? MonitorName(sink) : std::string(),
                              StreamLabel(card_, "Wiedergabe"));
    }
    for (const auto& [slot, connector] :
         {std::pair{kAnalogSource, Connector::AnalogIn}, std::pair{kDigitalSource, selectedDigital}}) {
        records_[slot].Follow(context, sourceIfThere(wired(connector)),
                              StreamLabel(card_, ConnectorName(connector)));
    }
    playbacks_[kAnalogOutput].Follow(context, sinkIfThere(wired(Connector::AnalogOut)),
                                     StreamLabel(card_, "analog-out"));
    playbacks_[kDigitalOutput].Follow(context, sinkIfThere(wired(Connector::DigitalOut)),
                                      StreamLabel(card_, "digital-out"));
    playbacks_[kAnalogCapture].Follow(context, sinkIfThere(FeedSinkName(card_, Endpoint::AnalogIn)),
                                      StreamLabel(card_, "analog-in"));
    playbacks_[kDigitalCapture].Follow(context, sinkIfThere(FeedSinkName(card_, Endpoint::DigitalIn)),
                                       StreamLabel(card_, "digital-in"));
}

void CardRig::DropStreams() {
    for (auto& slot : records_)
        slot.Drop();
    for (auto& slot : playbacks_)
        slot.Drop();
}

std::span<const float> CardRig::Recorded(RecordSlot slot, std::size_t frames) {
    RecordStream* stream = records_[slot].get();
    return stream ? stream->Pull(frames) : std::span<const float>();
}

serve::BlockPeaks CardRig::RunBlock(serve::CardMixer& mixer, const CardHardware& hardware,
                                    const ServerCatalog& catalog, std::size_t frames) {
    serve::MixerInputs inputs;
    inputs.analogSource = Recorded(kAnalogSource, frames);
    const std::span<const float> digital = Recorded(kDigitalSource, frames);
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
    inputs.analogPlayback = Recorded(kAnalogPlayback, frames);
    inputs.digitalPlayback = Recorded(kDigitalPlayback, frames);
    inputs.analogRecording = catalog.ApplicationRecords(card_, Endpoint::AnalogIn);
    inputs.digitalRecording = catalog.ApplicationRecords(card_, Endpoint::DigitalIn);
    for (auto& block : blocks_)
        block.resize(frames * serve::kChannels);
    serve::MixerOutputs outputs{blocks_[kAnalogOutput], blocks_[kDigitalOutput], blocks_[kAnalogCapture],
                                blocks_[kDigitalCapture]};
    const serve::BlockPeaks peaks = mixer.Process(hardware, inputs, outputs, frames);
    for (std::size_t slot = 0; slot < kPlaybackSlots; ++slot) {
        if (PlaybackStream* stream = playbacks_[slot].get()) stream->Push(blocks_[slot]);
    }
    return peaks;
}

} // namespace simcard::server
