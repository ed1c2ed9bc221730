// The bytes of built tones: header, period lengths, the levels of every waveform, noise, the
// envelope.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/random.h"
#include "support/fakesounddevice.h"
#include "tonegen/tonegen.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

// Readers for the bytes of a WAVE image.
constexpr size_t kHeader = 44;

uint32_t le16(std::span<const uint8_t> b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}

uint32_t le32(std::span<const uint8_t> b, size_t at) {
    return le16(b, at) | (le16(b, at + 2) << 16);
}

// Sample n of an 8-bit image (0..255) and of a 16-bit one (signed).
int sample8(std::span<const uint8_t> image, size_t n) {
    return image[kHeader + n];
}

int sample16(std::span<const uint8_t> image, size_t n) {
    return static_cast<int16_t>(le16(image, kHeader + 2 * n));
}

class WaveImage : public ::testing::Test {
protected:
    std::span<const uint8_t> build(TTGWave wave, int16_t frequency, int16_t duration = 100,
                                   TTGResolution resolution = TTGResolution::tg8Bit,
                                   TTGQuality quality = TTGQuality::tgHiQ) {
        gen.setWaveform(wave);
        gen.setFrequency(frequency);
        gen.setDuration(duration);
        gen.setResolution(resolution);
        gen.setQuality(quality);
        EXPECT_TRUE(gen.prepare());
        return gen.waveImage();
    }

    FakeSoundDevice device;
    TToneGen gen{device};
};

TEST_F(WaveImage, EightBitSineHeaderAndWholePeriods) {
    auto image = build(TTGWave::tgSine, 800);
    ASSERT_EQ(image.size(), 9600u + 48);
    // PCM mono, 96000 samples and bytes a second, block align 1, 8 bits, 9600 data bytes.
    const std::vector<uint8_t> header{'R', 'I', 'F',  'F',  0xA4, 0x25, 0,    0,    'W',  'A', 'V',
                                      'E', 'f', 'm',  't',  ' ',  16,   0,    0,    0,    1,   0,
                                      1,   0,   0x00, 0x77, 1,    0,    0x00, 0x77, 1,    0,   1,
                                      0,   8,   0,    'd',  'a',  't',  'a',  0x80, 0x25, 0,   0};
    EXPECT_EQ(std::vector<uint8_t>(image.begin(), image.begin() + kHeader), header);
    // 96000 / 800 = 120 samples per period exactly: every period is the same.
    EXPECT_EQ((std::vector<int>{sample8(image, 0), sample8(image, 30), sample8(image, 60),
                                sample8(image, 90)}),
              (std::vector<int>{127, 255, 127, 0}));
    for (size_t n = 120; n < 9600; ++n)
        ASSERT_EQ(sample8(image, n), sample8(image, n - 120)) << n;
    for (size_t spare = 9600; spare < 9604; ++spare)
        EXPECT_EQ(sample8(image, spare), 0);
}

// A sawtooth restarts at zero with every period, so its zeros mark the period starts: 87 or 88
// samples, exactly 110 periods in 100 ms at 1100 Hz.
TEST_F(WaveImage, PeriodsOfWholeSamplesKeepTheMeanFrequency) {
    auto image = build(TTGWave::tgSawtooth, 1100);
    std::vector<size_t> starts;
    for (size_t n = 0; n < 9600; ++n)
        if (sample8(image, n) == 0) starts.push_back(n);
    ASSERT_EQ(starts.size(), 110u);
    EXPECT_EQ(std::vector<size_t>(starts.begin(), starts.begin() + 9),
              (std::vector<size_t>{0, 87, 174, 261, 349, 436, 523, 610, 698}));
}

TEST_F(WaveImage, SquareIsLowForTheFirstHalfOfEachPeriod) {
    auto image8 = build(TTGWave::tgSquare, 800);
    for (size_t n = 0; n < 9600; ++n)
        ASSERT_EQ(sample8(image8, n), n % 120 < 60 ? 0 : 255) << n;
    auto image16 = build(TTGWave::tgSquare, 800, 100, TTGResolution::tg16Bit);
    ASSERT_EQ(image16.size(), 19200u + 48);
    EXPECT_EQ(le16(image16, kHeader + 2 * 59), 0x8001u);
    EXPECT_EQ(sample16(image16, 60), 32767);
}

// 16 bits at 44100 Hz for 15 ms is 1323 bytes: the last sample's high byte goes into the first
// spare byte, and the rest of the block stays zero.
TEST_F(WaveImage, OddSixteenBitLengthSpillsIntoTheSpareBytes) {
    auto image = build(TTGWave::tgSquare, 800, 15, TTGResolution::tg16Bit, TTGQuality::tgLoQ);
    ASSERT_EQ(le32(image, 40), 1323u);
    ASSERT_EQ(image.size(), 1323u + 48);
    EXPECT_EQ(le32(image, 24), 44100u);
    EXPECT_EQ(le32(image, 28), 88200u); // bytes per second
    EXPECT_EQ(le16(image, 32), 2u);     // block align
    EXPECT_EQ(std::abs(sample16(image, 661)), 32767);
    EXPECT_EQ(image[kHeader + 1325], 0);
    EXPECT_EQ(image[kHeader + 1326], 0);
}

// At 1100 Hz the first period has 87 samples; the periods of 88 rise one sample longer at the
// first period's slope. Their peak is held at the top instead of wrapping to the bottom.
TEST_F(WaveImage, TriangleNeverWrapsInLongerPeriods) {
    auto image8 = build(TTGWave::tgTriangle, 1100);
    EXPECT_EQ(sample8(image8, 261 + 44), 255);
    for (size_t n = 1; n < 9600; ++n)
        ASSERT_LE(std::abs(sample8(image8, n) - sample8(image8, n - 1)), 6) << n;
    auto image16 = build(TTGWave::tgTriangle, 1100, 100, TTGResolution::tg16Bit);
    EXPECT_EQ(sample16(image16, 0), -32767);
    EXPECT_EQ(sample16(image16, 261 + 44), 32767);
}

// Noise continues the shared generator's sequence: Random(256) for each 8-bit sample.
TEST_F(WaveImage, NoiseDrawsFromTheSharedGeneratorWithoutReseeding) {
    RandSeed = 20240601;
    auto image8 = build(TTGWave::tgNoise, 800);
    std::vector<uint8_t> copy8(image8.begin(), image8.end());
    const uint32_t after = RandSeed;
    RandSeed = 20240601;
    for (size_t n = 0; n < 9600; ++n)
        ASSERT_EQ(uint32_t(sample8(copy8, n)), Random(256)) << n;
    EXPECT_EQ(RandSeed, after);
}

// Attack-decay-sustain-release shaping of built tones.
class Envelope : public WaveImage {
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
};

// 60 + 60 + 0 is scaled to 50 / 50 / 0: with no sustain stretch the decay falls to silence
// whatever the sustain level says.
TEST_F(Envelope, OversizedSharesScaleAndDecayToSilence) {
    shape(TTGWave::tgSquare, TTGResolution::tg8Bit, 60, 60, 50, 0);
    ASSERT_TRUE(gen.prepareAdsr());
    auto image = gen.waveImage();
    // Attack from silence to full level at sample 4800; the decay starts there.
    const std::pair<size_t, int> levels[] = {{0, 128},    {4800, 0},   {4801, 0},
                                             {7260, 190}, {9599, 129}, {9600, 127}};
    for (auto [n, level] : levels)
        EXPECT_EQ(sample8(image, n), level) << n;
    // The decay's last step lands on the first spare byte (0, read as -128); no further.
    EXPECT_EQ(sample8(image, 9601), 0);
    EXPECT_EQ(sample8(image, 9603), 0);
    EXPECT_TRUE(gen.envelopeApplied());
    EXPECT_FALSE(gen.envelopeChanged());
    EXPECT_FALSE(gen.waveChanged());
}

// 10 / 20 / 50 / 30 on 9600 samples: attack 0..960, decay 961..2881, sustain 2882..6722 at half
// level, release 6723..9600 down to nothing.
TEST_F(Envelope, StagesFollowEachOtherWithOneSampleMoreThanTheirLength) {
    shape(TTGWave::tgSine, TTGResolution::tg16Bit, 10, 20, 50, 30);
    ASSERT_TRUE(gen.prepare());
    const std::vector<uint8_t> plain(gen.waveImage().begin(), gen.waveImage().end());
    ASSERT_TRUE(gen.prepareAdsr());
    auto shaped = gen.waveImage();
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
                    ASSERT_TRUE(gen.prepareAdsr());
                    auto image = gen.waveImage();
                    ASSERT_EQ(image.size(), le32(image, 40) + 48u);
                    EXPECT_EQ(le32(image, 4), le32(image, 40) + 36);
                }
}

} // namespace
