#include "simcard/server/serve_engine.h"

#include "simcard/server/block_loop.h"
#include "simcard/state_file.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>

namespace simcard::server {
namespace {

constexpr std::uint64_t kConnectionsCheckBlocks = 10; // the file is looked at every 100 ms

std::filesystem::file_time_type Stamp(const std::filesystem::path& path) {
    std::error_code error;
    const auto stamp = std::filesystem::last_write_time(path, error);
    return error ? std::filesystem::file_time_type{} : stamp;
}

} // namespace

ServeEngine::ServeEngine(pa_mainloop* mainloop, LiveWriter& live)
    : live_(live), link_(mainloop, {.connected = [this] { rewire_ = true; },
                                    .lost =
                                        [this] {
                                            DropAllStreams();
                                            rewire_ = true; // the cards' facts went with the catalog
                                        },
                                    .changed = [this] { rewire_ = true; }}),
      connectionsPath_(ConnectionsPath()) {}

void ServeEngine::Start() {
    FollowConnectionsFile();
    link_.Start();
}

void ServeEngine::Stop() {
    DropAllStreams();
    rigs_.clear();
    link_.Stop();
}

void ServeEngine::RunBlock() {
    link_.RefreshIfAsked();
    ProcessCardState().Read([this](const CardStateLayout& state) { *state_ = state; });
    FollowCardCount(std::clamp<int>(state_->cardCount, 1, kMaxCards));
    if (++blocks_ % kConnectionsCheckBlocks == 0) FollowConnectionsFile();
    WireIfChanged();
    bus_.StartBlock(kBlockFrames);
    streams_.Pull(bus_, kBlockFrames);
    for (auto& rig : rigs_) {
        const CardHardware& hardware = state_->hardware[rig->card()];
        const serve::BlockPeaks peaks = rig->RunBlock(mixer_, hardware, bus_, kBlockFrames);
        for (const Direction direction : {Direction::Input, Direction::Output}) {
            for (const DeviceKind kind : {DeviceKind::Analog, DeviceKind::Digital}) {
                const CardDevice device{direction, kind, rig->card()};
                live_.PublishPeak(device, peaks.At(device));
            }
        }
        PublishLiveFacts(*rig);
    }
    streams_.Push(bus_);
    live_.Beat();
}

// The cards' devices follow the server, the connections and the digital inputs' selects; the streams
// follow the devices the cards use together.
void ServeEngine::WireIfChanged() {
    bool changed = rewire_;
    for (auto& rig : rigs_) {
        const Connector selected =
            SelectedDigitalConnector(state_->hardware[rig->card()].digitalInputState[0]);
        if (!rewire_ && selected == rig->wiredDigital()) continue;
        rig->Wire(link_.catalog(), connections_, selected);
        changed = true;
    }
    rewire_ = false;
    if (!changed) return;
    std::vector<WiredStream> records;
    std::vector<WiredStream> playbacks;
    for (const auto& rig : rigs_) {
        records.insert(records.end(), rig->records().begin(), rig->records().end());
        playbacks.insert(playbacks.end(), rig->playbacks().begin(), rig->playbacks().end());
    }
    streams_.Follow(link_.context(), records, playbacks);
}

void ServeEngine::PublishLiveFacts(const CardRig& rig) {
    live_.SetLockRate(rig.card(), rig.lockRate());
    live_.SetPlaybackRunning(rig.card(), rig.applicationPlays());
}

void ServeEngine::FollowCardCount(int count) {
    while (static_cast<int>(rigs_.size()) < count) {
        const int card = static_cast<int>(rigs_.size());
        rigs_.push_back(std::make_unique<CardRig>(card));
        link_.AddCard(card);
        rewire_ = true;
    }
    while (static_cast<int>(rigs_.size()) > count) {
        const int card = rigs_.back()->card();
        rigs_.pop_back();
        link_.RemoveCard(card);
        rewire_ = true;
        live_.SetLockRate(card, 0);
        live_.SetPlaybackRunning(card, false);
    }
}

void ServeEngine::FollowConnectionsFile() {
    const auto stamp = Stamp(connectionsPath_);
    if (stamp == connectionsStamp_ && blocks_ > 0) return;
    connectionsStamp_ = stamp;
    std::string problems;
    Connections connections = ReadConnections(connectionsPath_, &problems);
    if (!problems.empty()) std::cerr << "kova2-card serve: " << connectionsPath_.string() << ": " << problems;
    if (connections == connections_) return;
    connections_ = std::move(connections);
    rewire_ = true;
}

void ServeEngine::DropAllStreams() {
    streams_.Drop();
}

void RunServe(std::ostream& out) {
    std::unique_ptr<LiveWriter> live;
    std::unique_ptr<BlockLoop> loop;
    try {
        live = std::make_unique<LiveWriter>();
        loop = std::make_unique<BlockLoop>(kBlockUs);
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(std::string("serve cannot start: ") + error.what());
    }
    {
        ServeEngine engine(loop->mainloop(), *live);
        engine.Start();
        out << "kova2-card serve: running the cards on the sound server until stopped" << std::endl;
        loop->RunUntilSignal([&engine] { engine.RunBlock(); });
        engine.Stop();
    }
    out << "kova2-card serve: stopped, the cards' devices removed" << std::endl;
}

} // namespace simcard::server
