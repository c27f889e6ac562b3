#include "simcard/server/pulse_streams.h"

#include "simcard/server/card_endpoints.h"
#include "simcard/server/float_format.h"

#include <algorithm>
#include <cstring>
#include <pulse/context.h>
#include <pulse/stream.h>

namespace simcard::server {
namespace {

constexpr std::size_t kChannels = 2;
constexpr std::size_t kFrameBytes = kChannels * sizeof(float);
constexpr double kAdapterLatencyMs = 10.0;
constexpr std::uint32_t kRecordFragmentMs = 10;
// With PA_STREAM_ADJUST_LATENCY the server gives the sink (target - 2 x request) / 2 of latency and the
// stream's queue the rest. 20 ms with 10 ms requests left the sinks nothing, clamped to 0.5 ms: each
// sink woke the server 2000 times a second, a whole core for four cards. 30 ms with 5 ms requests gives
// the sinks 10 ms, one wakeup per block, and measured best for both the server's and serve's share and
// the latency (10 ms requests cost more: their sinks get only 5 ms).
constexpr std::uint32_t kPlaybackTargetMs = 30;
constexpr std::uint32_t kPlaybackRequestMs = 5;

std::uint32_t BytesFor(std::uint32_t ms) {
    return static_cast<std::uint32_t>(kDeviceRate / 1000 * ms * kFrameBytes);
}

// Stereo float32 at the device's own rate (the rate here only stands in until the stream is placed).
pa_stream* NewStream(pa_context* context, const std::string& label) {
    const pa_sample_spec format = FloatFormat(static_cast<std::uint32_t>(kDeviceRate), kChannels);
    pa_channel_map map;
    pa_channel_map_init_stereo(&map);
    return pa_stream_new(context, label.c_str(), &format, &map);
}

constexpr auto kStreamFlags = static_cast<pa_stream_flags_t>(
    PA_STREAM_FIX_RATE | PA_STREAM_DONT_MOVE | PA_STREAM_ADJUST_LATENCY | PA_STREAM_START_UNMUTED);

} // namespace

ServerStream::ServerStream(pa_context* context, std::string device, const std::string& label)
    : stream_(NewStream(context, label)), device_(std::move(device)), ended_(!stream_) {
    if (stream_) pa_stream_set_state_callback(stream_, OnState, this);
}

ServerStream::~ServerStream() {
    if (!stream_) return;
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_set_read_callback(stream_, nullptr, nullptr);
    pa_stream_set_write_callback(stream_, nullptr, nullptr);
    if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream_))) pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
}

void ServerStream::OnState(pa_stream* stream, void* self) {
    auto& server = *static_cast<ServerStream*>(self);
    const pa_stream_state_t state = pa_stream_get_state(stream);
    server.ended_ = !PA_STREAM_IS_GOOD(state);
    if (state == PA_STREAM_READY) server.Ready(pa_stream_get_sample_spec(stream)->rate);
}

RecordStream::RecordStream(pa_context* context, std::string source, const std::string& label)
    : ServerStream(context, std::move(source), label) {
    if (!stream_) return;
    pa_stream_set_read_callback(stream_, OnRead, this);
    const pa_buffer_attr attributes{static_cast<std::uint32_t>(-1), static_cast<std::uint32_t>(-1),
                                    static_cast<std::uint32_t>(-1), static_cast<std::uint32_t>(-1),
                                    BytesFor(kRecordFragmentMs)};
    pa_stream_connect_record(stream_, device().c_str(), &attributes, kStreamFlags);
}

void RecordStream::Ready(double deviceRate) {
    adapter_.emplace(deviceRate, kDeviceRate, kAdapterLatencyMs);
}

std::span<const float> RecordStream::Pull(std::size_t frames) {
    if (!adapter_ || Ended()) return {};
    block_.resize(frames * kChannels);
    adapter_->Pull(block_.data(), frames);
    return block_;
}

// Reads what the callback announced and no further: a peek that finds nothing is one more libpulse call.
void RecordStream::OnRead(pa_stream* stream, std::size_t readable, void* self) {
    auto& record = *static_cast<RecordStream*>(self);
    const void* data = nullptr;
    std::size_t bytes = 0;
    for (std::size_t left = readable; left > 0 && pa_stream_peek(stream, &data, &bytes) == 0 && bytes > 0;
         left -= std::min(left, bytes)) {
        if (record.adapter_) {
            const std::size_t frames = bytes / kFrameBytes;
            if (data) {
                record.adapter_->Push(static_cast<const float*>(data), frames);
            } else {
                // A hole in the recording: silence of its length.
                record.block_.assign(frames * kChannels, 0.0f);
                record.adapter_->Push(record.block_.data(), frames);
            }
        }
        pa_stream_drop(stream);
    }
}

PlaybackStream::PlaybackStream(pa_context* context, std::string sink, const std::string& label)
    : ServerStream(context, std::move(sink), label) {
    if (!stream_) return;
    pa_stream_set_write_callback(stream_, OnWrite, this);
    const pa_buffer_attr attributes{static_cast<std::uint32_t>(-1), BytesFor(kPlaybackTargetMs),
                                    static_cast<std::uint32_t>(-1), BytesFor(kPlaybackRequestMs),
                                    static_cast<std::uint32_t>(-1)};
    pa_stream_connect_playback(stream_, device().c_str(), &attributes, kStreamFlags, nullptr, nullptr);
}

void PlaybackStream::Ready(double deviceRate) {
    adapter_.emplace(kDeviceRate, deviceRate, kAdapterLatencyMs);
}

void PlaybackStream::Push(std::span<const float> block) {
    out_.clear();
    if (Ended()) return;
    if (adapter_) adapter_->Push(block.data(), block.size() / kChannels);
    const std::size_t frames = wanted_ / kFrameBytes;
    wanted_ = 0;
    out_.resize(frames * kChannels);
    if (adapter_) adapter_->Pull(out_.data(), frames);
}

void PlaybackStream::Send() {
    if (!out_.empty())
        pa_stream_write(stream_, out_.data(), out_.size() * sizeof(float), nullptr, 0, PA_SEEK_RELATIVE);
}

// libpulse tells the whole amount it wants now, not what a request added.
void PlaybackStream::OnWrite(pa_stream*, std::size_t bytes, void* self) {
    static_cast<PlaybackStream*>(self)->wanted_ = bytes;
}

namespace {

// The streams of the wanted devices, the ones kept that still run, new ones for the rest.
template <class Stream>
void FollowDevices(pa_context* context, std::span<const WiredStream> wanted,
                   std::map<std::string, std::unique_ptr<Stream>>& streams) {
    std::map<std::string, std::unique_ptr<Stream>> kept;
    for (const WiredStream& wire : wanted) {
        if (wire.device.empty() || kept.contains(wire.device)) continue;
        auto found = streams.find(wire.device);
        if (found != streams.end() && !found->second->Ended())
            kept.emplace(wire.device, std::move(found->second));
        else if (context)
            kept.emplace(wire.device, std::make_unique<Stream>(context, wire.device, wire.label));
    }
    streams = std::move(kept);
}

} // namespace

void StreamPool::Follow(pa_context* context, std::span<const WiredStream> records,
                        std::span<const WiredStream> playbacks) {
    FollowDevices(context, records, records_);
    FollowDevices(context, playbacks, playbacks_);
}

void StreamPool::Drop() {
    records_.clear();
    playbacks_.clear();
}

void StreamPool::Pull(DeviceBus& bus, std::size_t frames) {
    for (const auto& [device, stream] : records_)
        bus.SetRecorded(device, stream->Pull(frames));
}

void StreamPool::Push(const DeviceBus& bus) {
    for (const auto& [device, stream] : playbacks_)
        stream->Push(bus.Mix(device));
    for (const auto& [device, stream] : playbacks_)
        stream->Send();
}

} // namespace simcard::server
