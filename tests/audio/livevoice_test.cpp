#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio/livevoice.h"
#include "tonegen/wavesynth.h"

using namespace kelvatron;

namespace {
constexpr uint32_t kRate = 48000;
constexpr int kEdge = 240; // 5 ms at 48 kHz

std::vector<float> run(LiveVoice& v, int frames) {
    std::vector<float> out;
    for (int i = 0; i < frames; ++i)
        out.push_back(v.next());
    return out;
}

// The largest step between neighbouring samples: a click is a step far above the wave's own.
float largestStep(const std::vector<float>& s) {
    float step = 0;
    for (size_t i = 1; i < s.size(); ++i)
        step = std::max(step, std::fabs(s[i] - s[i - 1]));
    return step;
}
} // namespace

TEST(LiveVoice, RisesAndFallsOverFiveMillisecondsWithoutAClick) {
    LiveVoice v(kRate);
    EXPECT_EQ(run(v, 10), std::vector<float>(10, 0.0f)); // silent until a key goes down
    v.keyDown(600, TTGWave::tgSine);
    auto rise = run(v, 2 * kEdge);
    EXPECT_GT(std::fabs(rise[1]), 0.0f); // sounds from the first samples on
    v.keyUp();
    auto fall = run(v, kEdge + 10);
    EXPECT_FALSE(v.sounding());
    EXPECT_EQ(fall.back(), 0.0f);
    rise.insert(rise.end(), fall.begin(), fall.end());
    // A 600 Hz sine at full level moves at most 2π·600/48000 ≈ 0.079 a sample.
    EXPECT_LT(largestStep(rise), 0.08f);
    // Full level is reached after the edge, not before.
    float peakInEdge = 0, peakAfter = 0;
    for (int i = 0; i < kEdge / 2; ++i)
        peakInEdge = std::max(peakInEdge, std::fabs(rise[i]));
    for (int i = kEdge; i < 2 * kEdge; ++i)
        peakAfter = std::max(peakAfter, std::fabs(rise[i]));
    EXPECT_LT(peakInEdge, 0.5f);
    EXPECT_GT(peakAfter, 0.99f);
}

TEST(LiveVoice, APressDuringTheReleaseTurnsBackFromTheLevelReached) {
    LiveVoice v(kRate);
    v.keyDown(500, TTGWave::tgSquare);
    run(v, 2 * kEdge);
    v.keyUp();
    auto out = run(v, kEdge / 2);
    v.keyDown(500, TTGWave::tgSquare);
    auto more = run(v, kEdge);
    out.insert(out.end(), more.begin(), more.end());
    // A square wave's own steps are 2 at full level; the envelope adds no jump of its own.
    float envelopeStep = 0;
    for (size_t i = 1; i < out.size(); ++i)
        if ((out[i] > 0) == (out[i - 1] > 0))
            envelopeStep = std::max(envelopeStep, std::fabs(out[i] - out[i - 1]));
    EXPECT_LT(envelopeStep, 0.01f);
    EXPECT_TRUE(v.sounding());
}

// An output that writes a key over what it has mixed takes the voice back and plays those
// frames again: whatever the voice was doing (rising, held, falling, silent), they come out
// as they did the first time.
TEST(LiveVoice, RewoundFramesComeOutAgainAsTheyWere) {
    struct Case {
        const char* name;
        bool downFirst;  // a key goes down before the frames counted
        int beforeUp;    // frames before it comes up again (-1: held)
        int frames, back; // frames played since, and how many of them are taken back
    };
    for (const Case c : {Case{"rising", true, -1, kEdge / 2, kEdge / 3},
                         Case{"held", true, -1, 3 * kEdge, 2 * kEdge},
                         Case{"falling", true, 2 * kEdge, kEdge / 2, kEdge / 4},
                         Case{"fallen silent", true, 2 * kEdge, 2 * kEdge, 2 * kEdge},
                         Case{"never pressed", false, -1, 100, 50}}) {
        LiveVoice v(kRate);
        if (c.downFirst) v.keyDown(700, TTGWave::tgTriangle);
        if (c.beforeUp >= 0) {
            run(v, c.beforeUp);
            v.keyUp();
        }
        const auto first = run(v, c.frames);
        v.rewind(c.back);
        const auto again = run(v, c.back);
        for (int i = 0; i < c.back; ++i)
            ASSERT_NEAR(again[i], first[c.frames - c.back + i], 1e-5f) << c.name << " frame " << i;
    }
}

// The hand's key sounds the tone generator's own wave: held past its rise, the voice at the
// generator's rate gives the samples of a 16-bit image of the same tone.
TEST(LiveVoice, SoundsTheToneGeneratorsWave) {
    for (TTGWave wave : {TTGWave::tgSine, TTGWave::tgSquare, TTGWave::tgTriangle,
                         TTGWave::tgSawtooth}) {
        const int16_t frequency = 700;
        std::vector<uint8_t> image(2 * 9600 + 1);
        synthesizeTone(image, 2 * 9600,
                       {wave, TTGResolution::tg16Bit, TTGQuality::tgHiQ, frequency});
        LiveVoice v(96000);
        v.keyDown(frequency, wave);
        const auto heard = run(v, 9600);
        for (size_t i = 2 * 480; i < heard.size(); ++i) {
            const auto sample = static_cast<int16_t>(image[2 * i] | (image[2 * i + 1] << 8));
            ASSERT_FLOAT_EQ(heard[i], sample / 32767.0f) << int(wave) << " sample " << i;
        }
    }
}
