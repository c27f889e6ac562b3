#include "tests/serve/sound_test.h"

#include "simcard/server/connections.h"
#include "simcard/server/server_query.h"

#include <csignal>
#include <cstring>

namespace sound_test {

void SoundTest::SetUp() {
    FreshCard::SetUp();
    std::filesystem::remove(simcard::server::ConnectionsPath());
    server_.emplace();
    serve_ = StartServe();
    ASSERT_TRUE(WaitForSink("kova2.card2.digital-in.feed")) << "serve added no devices";
}

void SoundTest::TearDown() {
    if (serve_) serve_->Signal(SIGTERM);
    serve_.reset();
}

std::unique_ptr<simcard::ToolProcess> SoundTest::StartServe(const std::string& outputName) {
    return std::make_unique<simcard::ToolProcess>(std::vector<std::string>{"serve"}, std::string(),
                                                  outputName);
}

bool SoundTest::WaitForSink(const std::string& sink, bool present, std::chrono::milliseconds timeout) {
    return WaitUntil(
        [&] {
            const auto catalog = simcard::server::QueryServerDevices(1s);
            return catalog && catalog->HasSink(sink) == present;
        },
        timeout);
}

Levels SoundTest::LevelOver(Direction direction, win::UINT device, std::chrono::milliseconds span) {
    const ControlHandle handle(direction, device);
    const bool input = direction == Direction::Input;
    handle.Send(input ? code::kStartInputMeter : code::kStartOutputMeter);
    const win::UINT read = input ? code::kReadInputLevel : code::kReadOutputLevel;
    handle.Read<8>(read); // the maximum since the last read: start afresh
    std::this_thread::sleep_for(span);
    const auto bytes = handle.Read<8>(read);
    Levels levels;
    std::memcpy(&levels, bytes.data(), sizeof levels);
    return levels;
}

bool SoundTest::WaitForLevel(Direction direction, win::UINT device) {
    return WaitUntil([&] { return LevelOver(direction, device, 100ms).left > 8000; });
}

std::uint32_t SoundTest::LockRate() {
    const ControlHandle digitalIn(Direction::Input, 1);
    return digitalIn.Read32(code::kGetLockRate);
}

int SoundTest::PathUsers() {
    const ControlHandle analogOut(Direction::Output, 0);
    return std::to_integer<int>(analogOut.Read<4>(code::kGetRoute)[3]);
}

} // namespace sound_test
