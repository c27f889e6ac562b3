#pragma once
// serve's streams on the sound server, each with a rate adapter between the device's clock and the
// mixer's. A record stream pushes what the device gives into its adapter and the mixer pulls blocks;
// the mixer pushes blocks into a playback stream's adapter and pulls what the server asks for. The
// device's own rate is used (no resampling in the server), so the adapter does all of it. All calls and
// callbacks run on the server connection's one thread.
#include "simcard/serve/rate_adapter.h"
#include "simcard/server/card_rig.h"
#include "simcard/server/device_bus.h"

#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct pa_context;
struct pa_stream;

namespace simcard::server {

class ServerStream {
public:
    virtual ~ServerStream();
    ServerStream(const ServerStream&) = delete;
    ServerStream& operator=(const ServerStream&) = delete;

    const std::string& device() const { return device_; }
    // The server ended the stream or refused it (the device went away).
    bool Ended() const { return ended_; }

protected:
    ServerStream(pa_context* context, std::string device, const std::string& label);

    // The device's rate is known: the adapter can be made.
    virtual void Ready(double deviceRate) = 0;

    pa_stream* stream_ = nullptr;
    std::optional<serve::RateAdapter> adapter_;

private:
    static void OnState(pa_stream* stream, void* self);

    std::string device_;
    // Kept from the state callback: every libpulse call costs a system call (it checks for a fork),
    // and the streams are asked every block.
    bool ended_ = false;
};

class RecordStream final : public ServerStream {
public:
    RecordStream(pa_context* context, std::string source, const std::string& label);

    // frames at the mixer's rate; empty while the stream is not running.
    std::span<const float> Pull(std::size_t frames);

private:
    void Ready(double deviceRate) override;
    static void OnRead(pa_stream* stream, std::size_t bytes, void* self);

    std::vector<float> block_;
};

class PlaybackStream final : public ServerStream {
public:
    PlaybackStream(pa_context* context, std::string sink, const std::string& label);

    // One block at the mixer's rate; then what the server asked for since the last block is taken
    // at the device's rate, for Send to write right after the block (one write, not one per request).
    void Push(std::span<const float> block);
    void Send();

private:
    void Ready(double deviceRate) override;
    static void OnWrite(pa_stream* stream, std::size_t bytes, void* self);

    std::size_t wanted_ = 0; // bytes the server asks for now
    std::vector<float> out_; // what Send writes next
};

// serve's streams, one per device however many connectors are wired to it.
class StreamPool {
public:
    // Makes streams for devices newly wanted and for ended ones, drops those no longer wanted.
    void Follow(pa_context* context, std::span<const WiredStream> records,
                std::span<const WiredStream> playbacks);
    void Drop();

    // Every record stream's block of frames into the bus.
    void Pull(DeviceBus& bus, std::size_t frames);
    // Every playback stream's mix from the bus. The streams are written one right after the other:
    // the server, woken by the first, then finds them all (one wakeup instead of one each).
    void Push(const DeviceBus& bus);

private:
    std::map<std::string, std::unique_ptr<RecordStream>> records_;
    std::map<std::string, std::unique_ptr<PlaybackStream>> playbacks_;
};

} // namespace simcard::server
