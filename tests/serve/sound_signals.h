#pragma once
// Test signals on the private sound server: a sine played into a sink for as long as the player lives,
// an application that keeps recording from a source, and the RMS of what a source carries.
#include <atomic>
#include <string>
#include <thread>

namespace sound_test {

constexpr double kMinus6Dbfs = 0.5011872336; // amplitude of a sine 6 dB below full scale

class TonePlayer {
public:
    TonePlayer(std::string sink, double amplitude, double frequency = 1000.0, int rate = 48000);
    ~TonePlayer();
    TonePlayer(const TonePlayer&) = delete;
    TonePlayer& operator=(const TonePlayer&) = delete;

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Records from the source and throws the sound away until destroyed: an application recording.
class BusyRecorder {
public:
    explicit BusyRecorder(std::string source);
    ~BusyRecorder();
    BusyRecorder(const BusyRecorder&) = delete;
    BusyRecorder& operator=(const BusyRecorder&) = delete;

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The RMS of both channels of the source over seconds (after a short settling), 1 = full scale; a
// source the server cannot record from reads -1.
double RecordRms(const std::string& source, double seconds = 0.5);

// 20 log10(rms / reference).
double Db(double rms, double reference);

} // namespace sound_test
