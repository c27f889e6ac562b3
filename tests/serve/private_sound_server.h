#pragma once
// A PulseAudio of the test's own: its own folder, socket and configuration, anonymous clients, no
// autospawn, 48 kHz. Null sinks stand in for the real devices: real_out (the speakers), real_in
// (a microphone: its monitor is the source), optical44 and optical48 (digital sources at 44.1 and
// 48 kHz). The test process and what it starts talk to it through PULSE_SERVER.
#include <filesystem>
#include <string>
#include <sys/types.h>

namespace sound_test {

class PrivateSoundServer {
public:
    PrivateSoundServer();
    ~PrivateSoundServer();
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    // Starts the server and waits until it answers; throws when it does not.
    void Start();
    // SIGKILL, as a crash would end it.
    void Kill();

    pid_t pid() const { return pid_; }

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
};

// The output of a pactl command against the current server.
std::string Pactl(const std::string& arguments);

} // namespace sound_test
