// The card's state file reader on arbitrary file contents (any length): a file that is not a sound
// state is replaced by defaults; a sound one is used as it is, and the card's meters computed from it
// stay in range for every device and any moment.
#include "fuzz/private_home.h"
#include "platform/paths.h"
#include "simcard/programme_signal.h"
#include "simcard/state_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckLevels(const simcard::CardStateLayout& state, std::int64_t timeMs) {
    for (int card = 0; card < state.cardCount; ++card)
        for (const auto direction : {simcard::Direction::Input, simcard::Direction::Output})
            for (const auto kind : {simcard::DeviceKind::Analog, simcard::DeviceKind::Digital}) {
                const auto level = simcard::DeviceLevel(state.hardware[card], {direction, kind, card}, timeMs);
                Check(level.left >= 0 && level.left <= simcard::kLevelFullScale);
                Check(level.right >= 0 && level.right <= simcard::kLevelFullScale);
            }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    UsePrivateHome();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = platform::RuntimeDir() / "fuzz.state";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), std::streamsize(size));

    std::int64_t timeMs = 0;
    if (size >= sizeof timeMs) std::memcpy(&timeMs, data + size - sizeof timeMs, sizeof timeMs);
    {
        simcard::StateFile file(path);
        file.Read([&](const simcard::CardStateLayout& state) {
            Check(!simcard::StateProblem(state));
            CheckLevels(state, timeMs);
        });
        file.Access([](simcard::CardStateLayout& state) { Check(!simcard::StateProblem(state)); });
    }
    return 0;
}
