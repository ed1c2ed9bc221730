#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "audio/resampler.h"
#include "audio/waveimage.h"

using namespace kelvatron;
using Bytes = std::vector<uint8_t>;

namespace {

void put(Bytes& b, size_t at, uint32_t v, int n = 4) {
    for (int i = 0; i < n; ++i)
        b[at + i] = (v >> (8 * i)) & 0xFF;
}

// A 44-byte-header PCM image as the tone generator builds it, with 4 spare bytes after the data.
Bytes image(uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& data) {
    Bytes b(44 + data.size() + 4, 0);
    std::copy_n("RIFF", 4, b.begin());
    put(b, 4, uint32_t(data.size() + 36));
    std::copy_n("WAVEfmt ", 8, b.begin() + 8);
    put(b, 16, 16), put(b, 20, 1, 2), put(b, 22, channels, 2), put(b, 24, rate);
    put(b, 28, rate * channels * bits / 8), put(b, 32, channels * bits / 8, 2), put(b, 34, bits, 2);
    std::copy_n("data", 4, b.begin() + 36);
    put(b, 40, uint32_t(data.size()));
    std::copy(data.begin(), data.end(), b.begin() + 44);
    return b;
}

std::vector<float> mono(const Bytes& b, uint32_t rate = 48000) {
    return resampleToMono(*parseWaveImage(b), rate);
}

} // namespace

TEST(WaveImageParser, ReadsTheToneGeneratorsImage) {
    auto b = image(1, 96000, 8, Bytes(9600, 128));
    auto wave = parseWaveImage(b);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->sampleRate, 96000u);
    EXPECT_EQ(wave->bitsPerSample, 8);
    EXPECT_EQ(wave->frameCount(), 9600u);
    EXPECT_EQ(wave->samples.data(), b.data() + 44); // the spare bytes are not sound
}

TEST(WaveImageParser, SkipsUnknownChunksAndDropsAPartialLastFrame) {
    auto b = image(2, 44100, 16, Bytes(10, 0));
    // An odd-sized "LIST" chunk (with its pad byte) between "fmt " and "data".
    const Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    b.insert(b.begin() + 36, list.begin(), list.end());
    put(b, 4, uint32_t(b.size() - 8));
    auto wave = parseWaveImage(b);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->samples.size(), 8u); // two whole 4-byte frames of the 10 bytes
    EXPECT_EQ(wave->frameCount(), 2u);
}

TEST(WaveImageParser, RefusesMalformedImages) {
    const auto good = image(1, 96000, 8, Bytes(100, 128));
    auto damaged = [&](auto change) {
        auto b = good;
        change(b);
        return parseWaveImage(b).has_value();
    };
    EXPECT_FALSE(parseWaveImage({}));
    EXPECT_FALSE(damaged([](auto& b) { b[0] = 'X'; }));
    EXPECT_FALSE(damaged([](auto& b) { b[8] = 'X'; }));
    EXPECT_FALSE(damaged([](auto& b) { put(b, 20, 3, 2); }));       // not PCM
    EXPECT_FALSE(damaged([](auto& b) { put(b, 22, 0, 2); }));       // no channels
    EXPECT_FALSE(damaged([](auto& b) { put(b, 34, 24, 2); }));      // 24 bits
    EXPECT_FALSE(damaged([](auto& b) { put(b, 24, 0); }));          // rate 0
    EXPECT_FALSE(damaged([](auto& b) { put(b, 32, 2, 2); }));       // block align off
    EXPECT_FALSE(damaged([](auto& b) { put(b, 40, 1000); }));       // data beyond the end
    EXPECT_FALSE(damaged([](auto& b) { put(b, 16, 0xFFFFFFF0); })); // huge format chunk
    EXPECT_FALSE(damaged([](auto& b) { b[36] = 'x'; }));            // no data chunk
    EXPECT_FALSE(damaged([](auto& b) { b.resize(60); }));           // cut short
    EXPECT_FALSE(damaged([](auto& b) { put(b, 4, 20); }));          // RIFF size ends in fmt
    EXPECT_FALSE(damaged([](auto& b) { put(b, 4, 2); }));           // RIFF size ends before WAVE
}

TEST(WaveImageParser, RandomDamageNeverReadsOutsideTheImage) {
    // Run under AddressSanitizer this catches any read past the end.
    std::mt19937 rng(7);
    const auto good = image(1, 44100, 16, Bytes(64, 1));
    for (int round = 0; round < 20000; ++round) {
        auto b = good;
        b.resize(rng() % (b.size() + 1));
        for (int k = rng() % 4; k >= 0; --k)
            if (!b.empty()) b[rng() % b.size()] = static_cast<uint8_t>(rng());
        Bytes exact(b); // exactly sized heap block
        if (auto wave = parseWaveImage(exact)) {
            ASSERT_LE(wave->samples.data() + wave->samples.size(), exact.data() + exact.size());
            resampleToMono(*wave, 48000);
        }
    }
}

TEST(Resampler, HalvesNinetySixKilohertzByAveragingPairs) {
    EXPECT_EQ(mono(image(1, 96000, 8, {0, 255, 128, 128, 255, 255, 0, 0, 192, 64})),
              (std::vector<float>{(-1.0f + 127 / 128.0f) / 2, 0, 127 / 128.0f, -1, 0}));
}

TEST(Resampler, KeepsTheLengthOfATone) {
    // 100 ms at 96 kHz and at 44.1 kHz both become 4800 frames at 48 kHz.
    EXPECT_EQ(mono(image(1, 96000, 8, Bytes(9600, 200))).size(), 4800u);
    auto out = mono(image(1, 44100, 16, Bytes(8820, 0x40)));
    ASSERT_EQ(out.size(), 4800u);
    for (float s : out)
        ASSERT_NEAR(s, 0x4040 / 32768.0f, 1e-5);         // a constant stays constant
    EXPECT_EQ(resampledLength(661, 44100, 48000), 719u); // 719.46 frames, to the nearest
}

TEST(Resampler, AveragesStereoAndReadsSigned16Bit) {
    // Left -300 (bytes D4 FE), right +300: the mono mean is silence; then full scale both sides.
    EXPECT_EQ(mono(image(2, 48000, 16, {0xD4, 0xFE, 0x2C, 0x01, 0xFF, 0x7F, 0xFF, 0x7F})),
              (std::vector<float>{0, 32767 / 32768.0f}));
}
