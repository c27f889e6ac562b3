#include "tests/serve/sound_signals.h"

#include "simcard/server/float_format.h"

#include <cmath>
#include <numbers>
#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/simple.h>
#include <pulse/stream.h>
#include <vector>

namespace sound_test {
namespace {

constexpr int kChannels = 2;
constexpr int kRecordRate = 48000;
constexpr double kSettleSeconds = 0.2;

// A tenth of a second of buffer: a test process that the machine's load holds up now and then does not
// break the signal it plays.
pa_simple* Open(pa_stream_direction_t direction, const std::string& device, int rate) {
    const pa_sample_spec format = simcard::server::FloatFormat(static_cast<std::uint32_t>(rate), kChannels);
    const std::uint32_t fragment = static_cast<std::uint32_t>(rate / 100 * kChannels * sizeof(float));
    const std::uint32_t any = static_cast<std::uint32_t>(-1);
    const pa_buffer_attr attributes{any, 10 * fragment, any, any, fragment};
    return pa_simple_new(nullptr, "kova2 sound test", direction, device.c_str(), "test signal", &format,
                         nullptr, &attributes, nullptr);
}

} // namespace

TonePlayer::TonePlayer(std::string sink, double amplitude, double frequency, int rate)
    : thread_([this, sink = std::move(sink), amplitude, frequency, rate] {
          pa_simple* stream = Open(PA_STREAM_PLAYBACK, sink, rate);
          if (!stream) return;
          std::vector<float> block(static_cast<std::size_t>(rate / 100 * kChannels));
          double phase = 0.0;
          const double step = 2.0 * std::numbers::pi * frequency / rate;
          while (!stop_) {
              for (std::size_t i = 0; i < block.size(); i += kChannels) {
                  block[i] = block[i + 1] = static_cast<float>(amplitude * std::sin(phase));
                  phase = std::fmod(phase + step, 2.0 * std::numbers::pi);
              }
              if (pa_simple_write(stream, block.data(), block.size() * sizeof(float), nullptr) < 0) break;
          }
          pa_simple_free(stream);
      }) {}

TonePlayer::~TonePlayer() {
    stop_ = true;
    thread_.join();
}

BusyRecorder::BusyRecorder(std::string source)
    : thread_([this, source = std::move(source)] {
          pa_simple* stream = Open(PA_STREAM_RECORD, source, kRecordRate);
          if (!stream) return;
          std::vector<float> block(kRecordRate / 100 * kChannels);
          while (!stop_ && pa_simple_read(stream, block.data(), block.size() * sizeof(float), nullptr) >= 0) {
          }
          pa_simple_free(stream);
      }) {}

BusyRecorder::~BusyRecorder() {
    stop_ = true;
    thread_.join();
}

// Recorded with a latency of its own request (pa_simple cannot ask for one): a monitor then hands over
// what its sink plays now, not a buffer's worth later.
double RecordRms(const std::string& source, double seconds) {
    pa_mainloop* mainloop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(mainloop), "kova2 sound test");
    pa_stream* stream = nullptr;
    const std::size_t settle = static_cast<std::size_t>(kSettleSeconds * kRecordRate) * kChannels;
    const std::size_t wanted = settle + static_cast<std::size_t>(seconds * kRecordRate) * kChannels;
    std::size_t received = 0;
    double sum = 0.0;
    bool failed = pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0;
    while (!failed && received < wanted) {
        pa_mainloop_iterate(mainloop, 1, nullptr);
        if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context))) failed = true;
        if (!stream && pa_context_get_state(context) == PA_CONTEXT_READY) {
            const pa_sample_spec format = simcard::server::FloatFormat(kRecordRate, kChannels);
            stream = pa_stream_new(context, "test measurement", &format, nullptr);
            const std::uint32_t any = static_cast<std::uint32_t>(-1);
            const pa_buffer_attr attributes{any, any, any, any,
                                            kRecordRate / 100 * kChannels * sizeof(float)};
            pa_stream_connect_record(stream, source.c_str(), &attributes, PA_STREAM_ADJUST_LATENCY);
        }
        if (!stream) continue;
        if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) failed = true;
        const void* data = nullptr;
        std::size_t bytes = 0;
        while (!failed && pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &data, &bytes) == 0 &&
               bytes) {
            const auto* samples = static_cast<const float*>(data);
            for (std::size_t i = 0; i < bytes / sizeof(float) && received < wanted; ++i, ++received) {
                if (received >= settle && samples) sum += double(samples[i]) * samples[i];
            }
            pa_stream_drop(stream);
        }
    }
    if (stream) {
        pa_stream_disconnect(stream);
        pa_stream_unref(stream);
    }
    pa_context_disconnect(context);
    pa_context_unref(context);
    pa_mainloop_free(mainloop);
    return failed ? -1.0 : std::sqrt(sum / double(wanted - settle));
}

double Db(double rms, double reference) {
    return 20.0 * std::log10(rms / reference);
}

} // namespace sound_test
