#include "simcard/server/serve_engine.h"

#include "simcard/state_file.h"

#include <algorithm>
#include <csignal>
#include <iostream>
#include <pthread.h>
#include <pulse/rtclock.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>
#include <stdexcept>

namespace simcard::server {
namespace {

constexpr std::uint64_t kBlockUs = 10'000;
constexpr int kMostBlocksAtOnce = 4;                  // a late tick catches up this far, then skips
constexpr std::uint64_t kConnectionsCheckBlocks = 10; // the file is looked at every 100 ms

pa_mainloop_api* Api(pa_threaded_mainloop* mainloop) {
    return pa_threaded_mainloop_get_api(mainloop);
}

// The mainloop's timers run on the wall clock: the moment the monotonic time `monotonicUs` comes.
timeval WhenMonotonic(std::uint64_t monotonicUs) {
    timeval when;
    pa_gettimeofday(&when);
    const std::uint64_t now = pa_rtclock_now();
    return *pa_timeval_add(&when, monotonicUs > now ? monotonicUs - now : 0);
}

std::filesystem::file_time_type Stamp(const std::filesystem::path& path) {
    std::error_code error;
    const auto stamp = std::filesystem::last_write_time(path, error);
    return error ? std::filesystem::file_time_type{} : stamp;
}

} // namespace

ServeEngine::ServeEngine(pa_threaded_mainloop* mainloop, LiveWriter& live)
    : mainloop_(mainloop), live_(live), link_(mainloop, {.connected = [this] { rewire_ = true; },
                                                         .lost = [this] { DropAllStreams(); },
                                                         .changed = [this] { rewire_ = true; }}),
      connectionsPath_(ConnectionsPath()) {}

ServeEngine::~ServeEngine() {
    if (tick_) Api(mainloop_)->time_free(tick_);
}

void ServeEngine::Start() {
    FollowConnectionsFile();
    link_.Start();
    nextBlockUs_ = pa_rtclock_now();
    const timeval when = WhenMonotonic(nextBlockUs_);
    tick_ = Api(mainloop_)->time_new(Api(mainloop_), &when, OnTick, this);
}

void ServeEngine::Stop() {
    if (tick_) Api(mainloop_)->time_free(tick_);
    tick_ = nullptr;
    DropAllStreams();
    rigs_.clear();
    link_.Stop();
}

void ServeEngine::OnTick(pa_mainloop_api* api, pa_time_event* event, const timeval*, void* self) {
    auto& engine = *static_cast<ServeEngine*>(self);
    const std::uint64_t now = pa_rtclock_now();
    for (int block = 0; block < kMostBlocksAtOnce && engine.nextBlockUs_ <= now; ++block) {
        engine.RunBlock();
        engine.nextBlockUs_ += kBlockUs;
    }
    if (engine.nextBlockUs_ <= now) engine.nextBlockUs_ = now + kBlockUs;
    const timeval when = WhenMonotonic(engine.nextBlockUs_);
    api->time_restart(event, &when);
}

void ServeEngine::RunBlock() {
    link_.RefreshIfAsked();
    ProcessCardState().Read([this](const CardStateLayout& state) { *state_ = state; });
    FollowCardCount(std::clamp<int>(state_->cardCount, 1, kMaxCards));
    if (++blocks_ % kConnectionsCheckBlocks == 0) FollowConnectionsFile();
    for (auto& rig : rigs_) {
        const CardHardware& hardware = state_->hardware[rig->card()];
        const Connector selected = SelectedDigitalConnector(hardware.digitalInputState[0]);
        if (rewire_ || selected != rig->wiredDigital())
            rig->Wire(link_.context(), link_.catalog(), connections_, selected);
        const serve::BlockPeaks peaks = rig->RunBlock(mixer_, hardware, link_.catalog(), kBlockFrames);
        for (const Direction direction : {Direction::Input, Direction::Output}) {
            for (const DeviceKind kind : {DeviceKind::Analog, DeviceKind::Digital}) {
                const CardDevice device{direction, kind, rig->card()};
                live_.PublishPeak(device, peaks.At(device));
            }
        }
        PublishLiveFacts(*rig, hardware);
    }
    rewire_ = false;
    live_.Beat();
}

void ServeEngine::PublishLiveFacts(const CardRig& rig, const CardHardware& hardware) {
    const ServerCatalog& catalog = link_.catalog();
    const Connector selected = SelectedDigitalConnector(hardware.digitalInputState[0]);
    const std::string source =
        WiredDevice(connections_.Get(rig.card(), selected), selected, catalog.defaults);
    live_.SetLockRate(rig.card(), catalog.SourceRate(source));
    live_.SetPlaybackRunning(rig.card(), catalog.ApplicationPlays(rig.card()));
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
    for (auto& rig : rigs_)
        rig->DropStreams();
}

void RunServe(std::ostream& out) {
    std::unique_ptr<LiveWriter> live;
    try {
        live = std::make_unique<LiveWriter>();
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(std::string("serve cannot start: ") + error.what());
    }
    sigset_t endings;
    sigemptyset(&endings);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&endings, signal);
    // Blocked before the mainloop's thread starts, so that only sigwait below receives them.
    pthread_sigmask(SIG_BLOCK, &endings, nullptr);

    pa_threaded_mainloop* mainloop = pa_threaded_mainloop_new();
    if (!mainloop) throw std::runtime_error("serve cannot start: no memory for the sound server's mainloop");
    {
        ServeEngine engine(mainloop, *live);
        pa_threaded_mainloop_lock(mainloop);
        engine.Start();
        pa_threaded_mainloop_unlock(mainloop);
        pa_threaded_mainloop_start(mainloop);
        out << "kova2-card serve: running the cards on the sound server until stopped" << std::endl;

        int received = 0;
        sigwait(&endings, &received);
        pa_threaded_mainloop_lock(mainloop);
        engine.Stop();
        pa_threaded_mainloop_unlock(mainloop);
        pa_threaded_mainloop_stop(mainloop);
    }
    pa_threaded_mainloop_free(mainloop);
    out << "kova2-card serve: stopped, the cards' devices removed" << std::endl;
}

} // namespace simcard::server
