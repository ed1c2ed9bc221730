// The speech brought to the chain's rate and to the tones' level.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "audio/speechlevel.h"

using namespace kelvatron;

namespace {

std::vector<int16_t> tone(double hz, uint32_t rate, double seconds, double amplitude) {
    std::vector<int16_t> out;
    for (uint32_t i = 0; i < uint32_t(rate * seconds); ++i)
        out.push_back(int16_t(amplitude * 32767 * std::sin(2 * std::numbers::pi * hz * i / rate)));
    return out;
}

} // namespace

// Length kept to the sample's rounding, a tone well inside the band neither louder nor softer,
// at either of the chain's rates.
TEST(SpeechLevel, ResamplingKeepsLengthAndLevel) {
    const std::vector<int16_t> voice = tone(1000, 22050, 0.5, 0.5);
    for (uint32_t rate : {96000u, 44100u, 8000u}) {
        const std::vector<float> out = resampleSpeech(voice, 22050, rate);
        EXPECT_EQ(out.size(), size_t(std::llround(voice.size() * double(rate) / 22050))) << rate;
        EXPECT_NEAR(heldRms(out, rate), 0.5 / std::sqrt(2.0), 0.01) << rate;
    }
}

// Quiet speech with peaks near full scale reaches the level asked for, its peaks held below
// the ceiling; silence stays silence.
TEST(SpeechLevel, LevelReachedAndPeaksHeld) {
    std::vector<float> speech;
    for (int16_t s : tone(300, 96000, 1, 0.05))
        speech.push_back(s / 32768.0f);
    for (size_t i = 0; i < speech.size(); i += 9600)
        speech[i] = 0.9f;                       // clicks
    speech.resize(speech.size() + 48000, 0.0f); // a pause between words
    levelSpeech(speech, 96000, 0.6);
    EXPECT_NEAR(20 * std::log10(heldRms(speech, 96000) / 0.6), 0, 0.2);
    for (float s : speech)
        ASSERT_LE(std::abs(s), 0.97f);
    std::vector<float> silence(9600, 0.0f);
    levelSpeech(silence, 96000, 0.6);
    EXPECT_EQ(heldRms(silence, 96000), 0);
}
