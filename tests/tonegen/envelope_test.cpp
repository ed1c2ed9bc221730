// Attack-decay-sustain-release shaping of built tones.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "imagebytes.h"
#include "support/fakesounddevice.h"
#include "tonegen/tonegen.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

class Envelope : public ::testing::Test {
protected:
    void shape(TTGWave wave, TTGResolution resolution, int16_t a, int16_t d, int16_t s, int16_t r) {
        gen.setWaveform(wave);
        gen.setFrequency(800);
        gen.setResolution(resolution);
        gen.setAttack(a);
        gen.setDecay(d);
        gen.setSustain(s);
        gen.setRelease(r);
    }

    FakeSoundDevice device;
    TToneGen gen{device};
};

// 60 + 60 + 0 is scaled to 50 / 50 / 0: with no sustain stretch the decay falls to silence
// whatever the sustain level says.
TEST_F(Envelope, OversizedSharesScaleAndDecayToSilence) {
    shape(TTGWave::tgSquare, TTGResolution::tg8Bit, 60, 60, 50, 0);
    ASSERT_TRUE(gen.PrepareADSR());
    auto image = gen.WaveImage();
    // Attack from silence to full level at sample 4800; the decay starts there.
    const std::pair<size_t, int> levels[] = {{0, 128},    {4800, 0},   {4801, 0},
                                             {7260, 190}, {9599, 129}, {9600, 127}};
    for (auto [n, level] : levels)
        EXPECT_EQ(sample8(image, n), level) << n;
    // The decay's last step lands on the first spare byte (0, read as -128); no further.
    EXPECT_EQ(sample8(image, 9601), 0);
    EXPECT_EQ(sample8(image, 9603), 0);
    EXPECT_TRUE(gen.EnvelopeApplied());
    EXPECT_FALSE(gen.EnvelopeChanged());
    EXPECT_FALSE(gen.WaveChanged());
}

// 10 / 20 / 50 / 30 on 9600 samples: attack 0..960, decay 961..2881, sustain 2882..6722 at half
// level, release 6723..9600 down to nothing.
TEST_F(Envelope, StagesFollowEachOtherWithOneSampleMoreThanTheirLength) {
    shape(TTGWave::tgSine, TTGResolution::tg16Bit, 10, 20, 50, 30);
    ASSERT_TRUE(gen.Prepare());
    const std::vector<uint8_t> plain(gen.WaveImage().begin(), gen.WaveImage().end());
    ASSERT_TRUE(gen.PrepareADSR());
    auto shaped = gen.WaveImage();
    ASSERT_EQ(shaped.size(), plain.size());
    for (size_t n = 0; n < 9600; ++n)
        ASSERT_LE(std::abs(sample16(shaped, n)), std::abs(sample16(plain, n))) << n;
    EXPECT_EQ(sample16(shaped, 0), 0);
    EXPECT_NEAR(sample16(shaped, 510), sample16(plain, 510) * 510 / 960, 1);
    EXPECT_EQ(sample16(shaped, 961), sample16(plain, 961));
    EXPECT_NEAR(sample16(shaped, 2881), sample16(plain, 2881) / 2, 1);
    for (size_t n = 2882; n <= 6722; ++n)
        ASSERT_EQ(sample16(shaped, n), sample16(plain, n) / 2) << n;
    EXPECT_NEAR(sample16(shaped, 8162), sample16(plain, 8162) / 4, 1); // half way through release
    EXPECT_EQ(sample16(shaped, 9599), 0);
}

// Every stage shapes one sample more than its length; the spill must stay in the four spare
// bytes for every format, including odd 16-bit lengths (the sanitizer build checks the block).
TEST_F(Envelope, SpillStaysInsideTheBlock) {
    const std::array<int16_t, 4> spilling[] = {
        {50, 50, 50, 0}, {100, 0, 0, 0}, {0, 0, 100, 0}, {100, 100, 100, 100}, {0, 0, 0, 100}};
    for (auto resolution : {TTGResolution::tg8Bit, TTGResolution::tg16Bit})
        for (auto quality : {TTGQuality::tgHiQ, TTGQuality::tgLoQ})
            for (int16_t duration : {10, 15, 33})
                for (auto [a, d, s, r] : spilling) {
                    shape(TTGWave::tgNoise, resolution, a, d, s, r);
                    gen.setQuality(quality);
                    gen.setDuration(duration);
                    ASSERT_TRUE(gen.PrepareADSR());
                    auto image = gen.WaveImage();
                    ASSERT_EQ(image.size(), le32(image, 40) + 48u);
                    EXPECT_EQ(le32(image, 4), le32(image, 40) + 36);
                }
}

} // namespace
