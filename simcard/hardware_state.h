#pragma once
// The card's mixer hardware as the state file keeps it, one record per card slot: what the wave
// driver's private messages read and set, and what the admin tool changes behind the program's back.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace simcard {

// Input gain words carry the fader position in the high byte; gain in dB = (position - 128) / 2.
constexpr int kGainPositionMin = 31;
constexpr int kGainPositionMax = 164;
constexpr int kGainPositionUnity = 128;

// Digital input select, byte 0 of the digital input's state record: 1 optical, 2 electrical, 3 CD.
constexpr std::uint8_t kInputOptical = 1;
constexpr std::uint8_t kInputElectrical = 2;
constexpr std::uint8_t kInputCd = 3;
// Monitoring destination (byte 1) and when to monitor (byte 2) of both input state records.
constexpr std::uint8_t kMonitorToAnalogOut = 1;
constexpr std::uint8_t kMonitorToDigitalOut = 2;
constexpr std::uint8_t kMonitorNever = 0;
constexpr std::uint8_t kMonitorWhilePunchRecording = 2;

// Playback sources, byte 0 of a route record; 1 names the card's other output.
constexpr std::uint8_t kSourceApplication = 0;
constexpr std::uint8_t kSourceOtherOutput = 1;
constexpr std::uint8_t kSourceAnalogInput = 2;
constexpr std::uint8_t kSourceDigitalInput = 3;

constexpr std::int32_t kFormatNonAudio = 0;
constexpr std::int32_t kFormatAudio = 1;

constexpr std::int32_t kLockRateMin = 8000;   // Hz
constexpr std::int32_t kLockRateMax = 192000; // Hz

struct CardHardware {
    std::array<std::uint16_t, 2> inputGain;        // left, right: position (31..164) << 8, low byte fine
    std::array<std::uint16_t, 2> inputMute;        // 0 or 0xFFFF
    std::array<std::uint16_t, 2> outputVolume;     // standard wave volume, 0..0xFFFF
    std::array<std::uint16_t, 2> outputMute;       // 0 or 0xFFFF
    std::array<std::uint8_t, 3> analogInputState;  // bytes 0..2 of its record; byte 0 always 0
    std::array<std::uint8_t, 3> digitalInputState; // bytes 0..2: input select 1..3, destination, when
    std::uint8_t analogOutputSource;               // kSource…, 0..3
    std::uint8_t digitalOutputSource;              // kSource…, 0..3
    std::int32_t lockRate;        // Hz the digital input is locked to, 0 = no lock, else 8000..192000
    std::int32_t digitalFormat;   // kFormatAudio or kFormatNonAudio
    std::int32_t devNode;         // device node number, positive and distinct per card
    std::int32_t refuseRoute;     // boolean: every route change is refused
    std::int32_t playbackRunning; // boolean: an application plays wave data on the card's outputs

    friend bool operator==(const CardHardware&, const CardHardware&) = default;
};
static_assert(sizeof(CardHardware) == 44);

CardHardware DefaultHardware(int card);

// The gain in dB of an input gain word: the high byte is the fader position, the low byte its fraction.
double InputGainDb(std::uint16_t gainWord);

// Why the record cannot be a card's hardware, or nothing when it can.
std::optional<std::string> HardwareProblem(const CardHardware& hardware);

} // namespace simcard
