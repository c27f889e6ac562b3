#include "simcard/serve/card_mixer.h"

#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace simcard::serve {
namespace {

constexpr std::size_t kFrames = 600; // more than two of the mixer's pieces

// A block whose every frame is (left, right).
std::vector<float> Constant(float left, float right) {
    std::vector<float> samples(kFrames * kChannels);
    for (std::size_t i = 0; i < samples.size(); i += 2) {
        samples[i] = left;
        samples[i + 1] = right;
    }
    return samples;
}

struct Frame {
    float left;
    float right;
};

// Every frame of the block is the same: that frame, checked.
Frame Only(const std::vector<float>& samples) {
    const Frame first{samples[0], samples[1]};
    for (std::size_t i = 0; i < samples.size(); i += 2) {
        EXPECT_FLOAT_EQ(samples[i], first.left) << "sample " << i;
        EXPECT_FLOAT_EQ(samples[i + 1], first.right) << "sample " << i + 1;
        if (samples[i] != first.left || samples[i + 1] != first.right) break;
    }
    return first;
}

MATCHER_P2(IsFrame, left, right, "") {
    return std::abs(arg.left - left) < 1e-6f && std::abs(arg.right - right) < 1e-6f;
}

class CardMixerTest : public testing::Test {
protected:
    BlockPeaks Mix() {
        MixerInputs inputs{analogSource,       optical,         electrical,      cd, analogApplication,
                           digitalApplication, analogRecording, digitalRecording};
        MixerOutputs outputs{analogOut, digitalOut, analogCapture, digitalCapture};
        return CardMixer().Process(hardware, inputs, outputs, kFrames);
    }

    CardHardware hardware = DefaultHardware(0);
    std::vector<float> analogSource = Constant(0.5f, 0.25f);
    std::vector<float> optical = Constant(0.1f, 0.11f);
    std::vector<float> electrical = Constant(0.2f, 0.22f);
    std::vector<float> cd = Constant(0.3f, 0.33f);
    std::vector<float> analogApplication = Constant(0.4f, 0.44f);
    std::vector<float> digitalApplication = Constant(0.6f, 0.66f);
    bool analogRecording = false;
    bool digitalRecording = false;
    std::vector<float> analogOut = Constant(9.0f, 9.0f); // whatever the caller's buffers held
    std::vector<float> digitalOut = Constant(9.0f, 9.0f);
    std::vector<float> analogCapture = Constant(9.0f, 9.0f);
    std::vector<float> digitalCapture = Constant(9.0f, 9.0f);
};

TEST_F(CardMixerTest, EachOutputPlaysItsRoutesSource) {
    Mix();
    EXPECT_THAT(Only(analogOut), IsFrame(0.4f, 0.44f)) << "the application playing into it";
    EXPECT_THAT(Only(digitalOut), IsFrame(0.6f, 0.66f));

    hardware.analogOutputSource = kSourceAnalogInput;
    hardware.digitalOutputSource = kSourceDigitalInput;
    Mix();
    EXPECT_THAT(Only(analogOut), IsFrame(0.5f, 0.25f));
    EXPECT_THAT(Only(digitalOut), IsFrame(0.1f, 0.11f));

    hardware.analogOutputSource = kSourceDigitalInput;
    hardware.digitalOutputSource = kSourceAnalogInput;
    Mix();
    EXPECT_THAT(Only(analogOut), IsFrame(0.1f, 0.11f));
    EXPECT_THAT(Only(digitalOut), IsFrame(0.5f, 0.25f));
}

TEST_F(CardMixerTest, AnOutputPlayingTheOtherHearsItAfterItsVolume) {
    hardware.outputVolume = {0x8000, 0xFFFF};
    hardware.digitalOutputSource = kSourceOtherOutput;
    Mix();
    const float half = 0x8000 / 65535.0f;
    EXPECT_THAT(Only(digitalOut), IsFrame(0.4f * half, 0.44f));

    hardware.digitalOutputSource = kSourceApplication;
    hardware.analogOutputSource = kSourceOtherOutput;
    Mix();
    EXPECT_THAT(Only(analogOut), IsFrame(0.6f * half, 0.66f));

    hardware.digitalOutputSource = kSourceOtherOutput; // a loop the card refuses to take
    Mix();
    EXPECT_THAT(Only(analogOut), IsFrame(0.0f, 0.0f));
    EXPECT_THAT(Only(digitalOut), IsFrame(0.0f, 0.0f));
}

TEST_F(CardMixerTest, TheAnalogInputPassesGainAndMuteAndIsMeteredAfterThem) {
    hardware.inputGain = {(116 << 8), (128 << 8)}; // -6 dB, 0 dB
    hardware.inputMute = {0, 0xFFFF};
    const BlockPeaks peaks = Mix();
    const float minusSix = 0.501187f;
    EXPECT_THAT(Only(analogCapture), IsFrame(0.5f * minusSix, 0.0f));
    EXPECT_EQ(peaks.analogInput, StereoLevel(8211, 0));
    EXPECT_EQ(peaks.At({Direction::Input, DeviceKind::Analog, 2}), peaks.analogInput);
}

TEST_F(CardMixerTest, TheDigitalInputIsTheSelectedSource) {
    for (auto [select, level] :
         {std::pair{kInputOptical, 0.1f}, {kInputElectrical, 0.2f}, {kInputCd, 0.3f}}) {
        hardware.digitalInputState[0] = select;
        const BlockPeaks peaks = Mix();
        EXPECT_FLOAT_EQ(Only(digitalCapture).left, level) << "select " << int(select);
        EXPECT_EQ(peaks.digitalInput.left, std::lround(level * 32767)) << "select " << int(select);
    }
    cd.clear(); // nothing connected to the CD input
    EXPECT_EQ(Mix().digitalInput, StereoLevel(0, 0));
    EXPECT_THAT(Only(digitalCapture), IsFrame(0.0f, 0.0f));
}

TEST_F(CardMixerTest, MonitoringAddsTheInputOnlyWhileItIsRecorded) {
    hardware.analogInputState = {0, kMonitorToAnalogOut, 1};
    Mix();
    EXPECT_THAT(Only(analogOut), IsFrame(0.4f, 0.44f)) << "no application records";

    analogRecording = true;
    Mix();
    EXPECT_THAT(Only(analogOut), IsFrame(0.9f, 0.69f));

    hardware.analogInputState[2] = kMonitorWhilePunchRecording; // the same on the server
    Mix();
    EXPECT_THAT(Only(analogOut), IsFrame(0.9f, 0.69f));

    hardware.analogInputState[2] = kMonitorNever;
    Mix();
    EXPECT_THAT(Only(analogOut), IsFrame(0.4f, 0.44f));

    hardware.digitalInputState = {kInputOptical, kMonitorToAnalogOut, 1};
    digitalRecording = true;
    hardware.analogInputState = {0, kMonitorToDigitalOut, 1};
    const BlockPeaks peaks = Mix();
    EXPECT_THAT(Only(analogOut), IsFrame(0.5f, 0.55f)) << "the digital input into the analog output";
    EXPECT_THAT(Only(digitalOut), IsFrame(1.1f, 0.91f)) << "the analog input into the digital output";
    EXPECT_EQ(peaks.digitalOutput, StereoLevel(32767, 29818)) << "a meter stops at full scale";
}

TEST_F(CardMixerTest, VolumeAndMuteActOnTheAnalogOutputOnly) {
    hardware.outputVolume = {0x1999, 0xFFFF};
    hardware.outputMute = {0, 0xFFFF};
    const BlockPeaks peaks = Mix();
    EXPECT_THAT(Only(analogOut), IsFrame(0.4f * 0x1999 / 65535.0f, 0.0f));
    EXPECT_EQ(peaks.analogOutput, StereoLevel(1311, 0));
    EXPECT_THAT(Only(digitalOut), IsFrame(0.6f, 0.66f));
}

TEST_F(CardMixerTest, NonAudioCarriesTheSourceBitForBit) {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> bits;
    for (float& sample : optical) {
        do {
            const std::uint32_t word = bits(random);
            std::memcpy(&sample, &word, sizeof sample);
        } while (std::isnan(sample)); // the server's float path carries no NaN either
    }
    hardware.digitalFormat = kFormatNonAudio;
    hardware.digitalOutputSource = kSourceDigitalInput;
    hardware.analogInputState = {0, kMonitorToDigitalOut, 1};
    analogRecording = true;
    Mix();
    EXPECT_EQ(std::memcmp(digitalOut.data(), optical.data(), optical.size() * sizeof(float)), 0)
        << "nothing mixed into data";

    hardware.digitalFormat = kFormatAudio;
    Mix();
    EXPECT_NE(std::memcmp(digitalOut.data(), optical.data(), optical.size() * sizeof(float)), 0)
        << "audio takes the monitored input";
}

TEST_F(CardMixerTest, ShortSpansReadSilenceAndAreFilledAsFarAsTheyGo) {
    analogApplication.resize(100 * kChannels);
    analogOut.assign(300 * kChannels + 1, 9.0f);
    Mix();
    EXPECT_FLOAT_EQ(analogOut[0], 0.4f);
    EXPECT_FLOAT_EQ(analogOut[199], 0.44f);
    EXPECT_FLOAT_EQ(analogOut[200], 0.0f) << "past the application's end";
    EXPECT_FLOAT_EQ(analogOut[600], 0.0f);
    EXPECT_THAT(Only(analogCapture), IsFrame(0.5f, 0.25f));
}

} // namespace
} // namespace simcard::serve
