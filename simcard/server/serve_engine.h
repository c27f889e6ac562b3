#pragma once
// The heart of `kova2-card serve`: every 10 ms, on the server connection's loop, it reads the card's
// hardware from card.state, follows the card count (devices added and removed) and the connections
// file, runs each card's block of signal work, and hands the peaks, the lock rates, whether an
// application plays, and a heartbeat to the driver through the live file. It keeps running while the
// server is away: the blocks are silent and the inputs have no lock.
#include "simcard/live_file.h"
#include "simcard/serve/card_mixer.h"
#include "simcard/server/card_rig.h"
#include "simcard/server/device_bus.h"
#include "simcard/server/pulse_streams.h"
#include "simcard/server/server_link.h"
#include "simcard/state_layout.h"

#include <filesystem>
#include <memory>
#include <vector>

struct pa_mainloop;

namespace simcard::server {

constexpr std::size_t kBlockFrames = kDeviceRate / 100; // 10 ms
constexpr std::uint64_t kBlockUs = 10'000;

class ServeEngine {
public:
    ServeEngine(pa_mainloop* mainloop, LiveWriter& live);
    ServeEngine(const ServeEngine&) = delete;
    ServeEngine& operator=(const ServeEngine&) = delete;

    void Start();
    // One block of kBlockFrames, due every kBlockUs.
    void RunBlock();
    // Removes what serve added to the server.
    void Stop();

private:
    void WireIfChanged();
    void FollowCardCount(int count);
    void FollowConnectionsFile();
    void DropAllStreams();
    void PublishLiveFacts(const CardRig& rig);

    LiveWriter& live_;
    ServerLink link_;
    serve::CardMixer mixer_;
    std::vector<std::unique_ptr<CardRig>> rigs_;
    StreamPool streams_;
    DeviceBus bus_;
    Connections connections_;
    std::filesystem::path connectionsPath_;
    std::filesystem::file_time_type connectionsStamp_{};
    bool rewire_ = true;
    std::uint64_t blocks_ = 0;
    std::unique_ptr<CardStateLayout> state_ = std::make_unique<CardStateLayout>();
};

// Runs serve until SIGTERM, SIGINT or SIGHUP; throws std::runtime_error when another serve runs.
void RunServe(std::ostream& out);

} // namespace simcard::server
