#pragma once
// Fixture of the tests with real sound: a default card, no connections made, a private sound server
// and `kova2-card serve` running on it with its devices in place. The driver is reached through its
// wave entry points, as the program reaches it.
#include "simcard/wave_codes.h"
#include "tests/serve/private_sound_server.h"
#include "tests/serve/sound_signals.h"
#include "tests/simcard/fresh_card.h"
#include "tests/simcard/tool_run.h"
#include "tests/simcard/wave_client.h"

#include <chrono>
#include <memory>
#include <optional>
#include <thread>

namespace sound_test {

using namespace std::chrono_literals;
using simcard::ControlHandle;
using simcard::Direction;
namespace code = simcard::wave_code;

constexpr double kSineRms = kMinus6Dbfs / 1.4142135623730951;
constexpr double kSilenceRms = 1e-4; // −80 dBFS

// Polls until fn() holds or the timeout passes; the last answer.
template <class Fn> bool WaitUntil(Fn&& fn, std::chrono::milliseconds timeout = 5s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!fn()) {
        if (std::chrono::steady_clock::now() > deadline) return fn();
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

struct Levels {
    std::int32_t left;
    std::int32_t right;
};

class SoundTest : public simcard::FreshCard {
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<simcard::ToolProcess> StartServe(const std::string& outputName = "serve");
    // Waits until the server has the sink (true) or no longer has it (false).
    static bool WaitForSink(const std::string& sink, bool present = true,
                            std::chrono::milliseconds timeout = 10s);
    // The maximum level the device (card 1: 0 analog, 1 digital) reads over the span.
    static Levels LevelOver(Direction direction, win::UINT device, std::chrono::milliseconds span = 600ms);
    // Waits until the device's meter reads a sound (the server's streams take a moment to start).
    static bool WaitForLevel(Direction direction, win::UINT device);
    static std::uint32_t LockRate();
    // Byte 3 of the analog output's route record: one while an application plays on the card.
    static int PathUsers();

    std::optional<PrivateSoundServer> server_;
    std::unique_ptr<simcard::ToolProcess> serve_;
};

} // namespace sound_test
