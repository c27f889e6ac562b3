// kova2-card serve on a private PulseAudio at 48 kHz with 10 ms fragments: serve's share of one core
// with four cards and every stream running, the server's own share beside it (target < 3 %); the time
// from the driver's message to the sound at the real sink, and what monitoring adds from the real
// source to the real sink (targets < 50 ms).
#include "bench/private_home.h"
#include "bench/process_cpu.h"
#include "simcard/server/card_endpoints.h"
#include "simcard/server/connections.h"
#include "simcard/server/float_format.h"
#include "simcard/server/server_query.h"
#include "simcard/state_file.h"
#include "simcard/wave_codes.h"
#include "tests/serve/private_sound_server.h"
#include "tests/serve/sound_signals.h"
#include "tests/simcard/tool_run.h"
#include "tests/simcard/wave_client.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <mutex>
#include <pulse/simple.h>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using simcard::server::Connector;
using simcard::server::Endpoint;
using simcard::server::Wiring;
using Clock = std::chrono::steady_clock;

constexpr int kRate = 48000;
constexpr std::size_t kChunkFrames = 240; // 5 ms

void UseCards(int count) {
    simcard::ProcessCardState().Access([count](simcard::CardStateLayout& state) {
        state = simcard::DefaultState();
        state.cardCount = count;
    });
}

void Connect(int cards, std::initializer_list<std::pair<Connector, const char*>> wirings) {
    simcard::server::Connections connections;
    for (int card = 0; card < cards; ++card) {
        for (const auto& [connector, device] : wirings)
            connections.Set(card, connector, {Wiring::Choice::Device, device});
    }
    simcard::server::WriteConnections(simcard::server::ConnectionsPath(), connections);
}

void WaitForDevices(int cards) {
    const std::string last = simcard::server::FeedSinkName(cards - 1, Endpoint::DigitalIn);
    for (const auto deadline = Clock::now() + 15s; Clock::now() < deadline;
         std::this_thread::sleep_for(50ms)) {
        const auto catalog = simcard::server::QueryServerDevices(1s);
        if (catalog && catalog->HasSink(last)) return;
    }
}

// Records a source in 5 ms chunks and keeps, per chunk, when it arrived and its peak.
class OnsetWatcher {
public:
    explicit OnsetWatcher(const std::string& source)
        : thread_([this, source] {
              const pa_sample_spec format = simcard::server::FloatFormat(kRate, 1);
              const std::uint32_t bytes = kChunkFrames * sizeof(float);
              const pa_buffer_attr attributes{std::uint32_t(-1), std::uint32_t(-1), std::uint32_t(-1),
                                              std::uint32_t(-1), bytes};
              pa_simple* stream = pa_simple_new(nullptr, "kova2 bench", PA_STREAM_RECORD, source.c_str(),
                                                "onset", &format, nullptr, &attributes, nullptr);
              if (!stream) return;
              std::vector<float> chunk(kChunkFrames);
              while (!stop_ && pa_simple_read(stream, chunk.data(), bytes, nullptr) >= 0) {
                  const auto now = Clock::now();
                  const auto loud = std::ranges::find_if(chunk, [](float s) { return std::abs(s) > 0.05f; });
                  const auto early = std::chrono::microseconds((chunk.end() - loud) * 1'000'000 / kRate);
                  std::lock_guard guard(mutex_);
                  if (loud != chunk.end()) onsets_.push_back(now - early);
              }
              pa_simple_free(stream);
          }) {}
    ~OnsetWatcher() {
        stop_ = true;
        thread_.join();
    }

    // The first sound after the moment, or nothing.
    std::optional<Clock::time_point> FirstSoundAfter(Clock::time_point moment) {
        std::lock_guard guard(mutex_);
        const auto found = std::ranges::find_if(onsets_, [&](auto onset) { return onset >= moment; });
        return found == onsets_.end() ? std::nullopt : std::optional(*found);
    }

private:
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Clock::time_point> onsets_;
    std::thread thread_;
};

double Ms(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

void ServeFourCardsEveryStream(benchmark::State& state) {
    constexpr int kCards = 4;
    sound_test::PrivateSoundServer server;
    UseCards(kCards);
    Connect(kCards, {{Connector::AnalogIn, "real_in.monitor"},
                     {Connector::AnalogOut, "real_out"},
                     {Connector::DigitalOut, "real_out"},
                     {Connector::Optical, "optical44.monitor"},
                     {Connector::Electrical, "optical48.monitor"},
                     {Connector::Cd, "real_in.monitor"}});
    simcard::ToolProcess serve({"serve"}, {}, "serve");
    WaitForDevices(kCards);
    std::vector<std::unique_ptr<sound_test::TonePlayer>> players;
    std::vector<std::unique_ptr<sound_test::BusyRecorder>> recorders;
    players.push_back(std::make_unique<sound_test::TonePlayer>("real_in", 0.3));
    players.push_back(std::make_unique<sound_test::TonePlayer>("optical44", 0.3, 1000.0, 44100));
    players.push_back(std::make_unique<sound_test::TonePlayer>("optical48", 0.3));
    for (int card = 0; card < kCards; ++card) {
        for (const Endpoint endpoint : simcard::server::kEndpoints) {
            const std::string name = simcard::server::EndpointName(card, endpoint);
            if (simcard::server::IsCapture(endpoint))
                recorders.push_back(std::make_unique<sound_test::BusyRecorder>(name));
            else
                players.push_back(std::make_unique<sound_test::TonePlayer>(name, 0.3));
        }
    }
    std::this_thread::sleep_for(1s);
    pid_t servePid = serve.pid();
    for (auto _ : state) {
        const double serveStart = ProcessCpuSeconds(servePid);
        const double serverStart = ProcessCpuSeconds(server.pid());
        const auto start = Clock::now();
        std::this_thread::sleep_for(10s);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.counters["serve_cpu_percent"] = 100.0 * (ProcessCpuSeconds(servePid) - serveStart) / seconds;
        state.counters["server_cpu_percent"] =
            100.0 * (ProcessCpuSeconds(server.pid()) - serverStart) / seconds;
    }
    serve.Signal(SIGTERM);
}
BENCHMARK(ServeFourCardsEveryStream)->Iterations(1)->Unit(benchmark::kSecond);

// An output unmuted through the driver, and the first sound at the real sink.
void SettingToSound(benchmark::State& state) {
    sound_test::PrivateSoundServer server;
    UseCards(1);
    simcard::ToolProcess serve({"serve"}, {}, "serve");
    WaitForDevices(1);
    const sound_test::TonePlayer tone("kova2.card1.analog-out", 0.5);
    const simcard::ControlHandle analogOut(simcard::Direction::Output, 0);
    OnsetWatcher watcher("real_out.monitor");
    std::this_thread::sleep_for(2s); // the streams' start
    for (auto _ : state) {
        analogOut.Send(simcard::wave_code::kSetOutputMutes, 0xFFFFFFFF);
        std::this_thread::sleep_for(300ms);
        const auto sent = Clock::now();
        analogOut.Send(simcard::wave_code::kSetOutputMutes, 0);
        std::this_thread::sleep_for(300ms);
        const auto heard = watcher.FirstSoundAfter(sent);
        if (!heard) state.SkipWithError("no sound after the unmute");
        state.SetIterationTime(heard ? Ms(*heard - sent) / 1000.0 : 0.0);
    }
    serve.Signal(SIGTERM);
}
BENCHMARK(SettingToSound)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

// A burst on the real source, monitored into the real sink: the first sound at the sink after the first
// at the source, both heard alike.
void MonitoringLatency(benchmark::State& state) {
    sound_test::PrivateSoundServer server;
    UseCards(1);
    simcard::ToolProcess serve({"serve"}, {}, "serve");
    WaitForDevices(1);
    const simcard::ControlHandle analogIn(simcard::Direction::Input, 0);
    analogIn.Send(simcard::wave_code::kSetInputState,
                  0 | 1 << 8 | 0x10000); // to the analog output, while recording
    const sound_test::BusyRecorder application("kova2.card1.analog-in");
    OnsetWatcher atSource("real_in.monitor");
    OnsetWatcher atSink("real_out.monitor");
    std::this_thread::sleep_for(500ms);
    for (auto _ : state) {
        const auto before = Clock::now();
        {
            const sound_test::TonePlayer burst("real_in", 0.5);
            std::this_thread::sleep_for(200ms);
        }
        std::this_thread::sleep_for(300ms);
        const auto source = atSource.FirstSoundAfter(before);
        const auto sink = atSink.FirstSoundAfter(before);
        if (!source || !sink) state.SkipWithError("the burst was not heard at both ends");
        state.SetIterationTime(source && sink ? Ms(*sink - *source) / 1000.0 : 0.0);
    }
    serve.Signal(SIGTERM);
}
BENCHMARK(MonitoringLatency)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksInPrivateHome(argc, argv);
}
