#include "simcard/hardware_state.h"

#include "simcard/config_records.h"

namespace simcard {
namespace {

constexpr std::uint16_t kUnityGainWord = kGainPositionUnity << 8;
constexpr std::uint16_t kFullVolume = 0xFFFF;
constexpr std::int32_t kDefaultLockRate = 44100;   // Hz
constexpr std::int32_t kDevNodeBase = 0x00C1F3A0;  // looks like the system's node addresses
constexpr std::int32_t kDevNodeStep = 0x00000540;  // bytes between two cards' nodes
constexpr std::uint8_t kAnalogInputOnlySource = 0; // the analog input has nothing to select
constexpr std::uint8_t kLastSource = kSourceDigitalInput;

bool IsMuteWord(std::uint16_t word) {
    return word == 0 || word == 0xFFFF;
}

bool IsGainWord(std::uint16_t word) {
    const int position = word >> 8;
    return position >= kGainPositionMin && position <= kGainPositionMax;
}

bool IsMonitoring(std::uint8_t destination, std::uint8_t when) {
    return (destination == kMonitorToAnalogOut || destination == kMonitorToDigitalOut) &&
           when <= kMonitorWhilePunchRecording;
}

} // namespace

CardHardware DefaultHardware(int card) {
    CardHardware hardware{};
    hardware.inputGain = {kUnityGainWord, kUnityGainWord};
    hardware.outputVolume = {kFullVolume, kFullVolume};
    hardware.analogInputState = {kAnalogInputOnlySource, kMonitorToAnalogOut, kMonitorNever};
    hardware.digitalInputState = {kInputOptical, kMonitorToDigitalOut, kMonitorNever};
    hardware.analogOutputSource = kSourceApplication;
    hardware.digitalOutputSource = kSourceApplication;
    hardware.lockRate = kDefaultLockRate;
    hardware.digitalFormat = kFormatAudio;
    hardware.devNode = kDevNodeBase + card * kDevNodeStep;
    hardware.refuseRoute = kFalse;
    hardware.playbackRunning = kFalse;
    return hardware;
}

double InputGainDb(std::uint16_t gainWord) {
    return (gainWord / 256.0 - kGainPositionUnity) / 2.0;
}

std::optional<std::string> HardwareProblem(const CardHardware& hardware) {
    for (int channel = 0; channel < 2; ++channel) {
        if (!IsGainWord(hardware.inputGain[channel])) return "an input gain outside the fader's range";
        if (!IsMuteWord(hardware.inputMute[channel]) || !IsMuteWord(hardware.outputMute[channel]))
            return "a mute that is neither on nor off";
    }
    const auto& analog = hardware.analogInputState;
    const auto& digital = hardware.digitalInputState;
    if (analog[0] != kAnalogInputOnlySource || !IsMonitoring(analog[1], analog[2]))
        return "an analog input state out of range";
    if (digital[0] < kInputOptical || digital[0] > kInputCd || !IsMonitoring(digital[1], digital[2]))
        return "a digital input state out of range";
    if (hardware.analogOutputSource > kLastSource || hardware.digitalOutputSource > kLastSource)
        return "a playback source out of range";
    if (hardware.analogOutputSource == kSourceOtherOutput &&
        hardware.digitalOutputSource == kSourceOtherOutput)
        return "two outputs that play each other";
    if (hardware.lockRate != 0 && (hardware.lockRate < kLockRateMin || hardware.lockRate > kLockRateMax))
        return "a lock rate of " + std::to_string(hardware.lockRate) + " Hz";
    if (hardware.digitalFormat != kFormatAudio && hardware.digitalFormat != kFormatNonAudio)
        return "an unknown digital output format";
    if (hardware.devNode <= 0) return "a device node number of " + std::to_string(hardware.devNode);
    return std::nullopt;
}

} // namespace simcard
