#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/resampler.h"
#include "platform/waveimage.h"

using namespace kelvatron;

namespace {

void put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = v >> 8;
}
void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = (v >> (8 * i)) & 0xFF;
}

// A 44-byte-header PCM image as the tone generator builds it, with 4 spare bytes after the data.
std::vector<uint8_t> image(uint16_t channels, uint32_t rate, uint16_t bits,
                           std::vector<uint8_t> data) {
    std::vector<uint8_t> b(44 + data.size() + 4, 0);
    std::copy_n("RIFF", 4, b.begin());
    put32(b, 4, uint32_t(data.size() + 36));
    std::copy_n("WAVEfmt ", 8, b.begin() + 8);
    put32(b, 16, 16);
    put16(b, 20, 1);
    put16(b, 22, channels);
    put32(b, 24, rate);
    put32(b, 28, rate * channels * bits / 8);
    put16(b, 32, channels * bits / 8);
    put16(b, 34, bits);
    std::copy_n("data", 4, b.begin() + 36);
    put32(b, 40, uint32_t(data.size()));
    std::copy(data.begin(), data.end(), b.begin() + 44);
    return b;
}

} // namespace

TEST(WaveImage, ReadsTheToneGeneratorsImage) {
    auto b = image(1, 96000, 8, std::vector<uint8_t>(9600, 128));
    auto wave = parseWaveImage(b);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->sampleRate, 96000u);
    EXPECT_EQ(wave->bitsPerSample, 8);
    EXPECT_EQ(wave->frameCount(), 9600u);
    EXPECT_EQ(wave->samples.data(), b.data() + 44); // the spare bytes are not sound
}

TEST(WaveImage, SkipsUnknownChunksAndDropsAPartialLastFrame) {
    auto b = image(2, 44100, 16, std::vector<uint8_t>(10, 0));
    // Insert an odd-sized "LIST" chunk (with its pad byte) between "fmt " and "data".
    std::vector<uint8_t> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    b.insert(b.begin() + 36, list.begin(), list.end());
    put32(b, 4, uint32_t(b.size() - 8));
    auto wave = parseWaveImage(b);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->samples.size(), 8u); // two whole 4-byte frames of the 10 bytes
    EXPECT_EQ(wave->frameCount(), 2u);
}

TEST(WaveImage, RefusesMalformedImages) {
    const auto good = image(1, 96000, 8, std::vector<uint8_t>(100, 128));
    auto damaged = [&](auto change) {
        auto b = good;
        change(b);
        return parseWaveImage(b).has_value();
    };
    EXPECT_FALSE(parseWaveImage({}));
    EXPECT_FALSE(damaged([](auto& b) { b[0] = 'X'; }));
    EXPECT_FALSE(damaged([](auto& b) { b[8] = 'X'; }));
    EXPECT_FALSE(damaged([](auto& b) { put16(b, 20, 3); }));          // not PCM
    EXPECT_FALSE(damaged([](auto& b) { put16(b, 22, 0); }));          // no channels
    EXPECT_FALSE(damaged([](auto& b) { put16(b, 34, 24); }));         // 24 bits
    EXPECT_FALSE(damaged([](auto& b) { put32(b, 24, 0); }));          // rate 0
    EXPECT_FALSE(damaged([](auto& b) { put16(b, 32, 2); }));          // block align off
    EXPECT_FALSE(damaged([](auto& b) { put32(b, 40, 1000); }));       // data beyond the end
    EXPECT_FALSE(damaged([](auto& b) { put32(b, 16, 0xFFFFFFF0); })); // huge format chunk
    EXPECT_FALSE(damaged([](auto& b) { b[36] = 'x'; }));              // no data chunk
    EXPECT_FALSE(damaged([](auto& b) { b.resize(60); }));             // cut short
    EXPECT_FALSE(damaged([](auto& b) { put32(b, 4, 20); }));          // RIFF size ends in fmt
    EXPECT_FALSE(damaged([](auto& b) { put32(b, 4, 2); }));           // RIFF size ends before WAVE
}

TEST(WaveImage, RandomDamageNeverReadsOutsideTheImage) {
    // Run under AddressSanitizer this catches any read past the end.
    std::mt19937 rng(7);
    const auto good = image(1, 44100, 16, std::vector<uint8_t>(64, 1));
    for (int round = 0; round < 20000; ++round) {
        auto b = good;
        b.resize(rng() % (b.size() + 1));
        for (int k = rng() % 4; k >= 0; --k)
            if (!b.empty()) b[rng() % b.size()] = static_cast<uint8_t>(rng());
        std::vector<uint8_t> exact(b); // exactly sized heap block
        if (auto wave = parseWaveImage(exact)) {
            ASSERT_LE(wave->samples.data() + wave->samples.size(), exact.data() + exact.size());
            resampleToMono(*wave, 48000);
        }
    }
}

TEST(Resampler, HalvesNinetySixKilohertzByAveragingPairs) {
    auto b = image(1, 96000, 8, {0, 255, 128, 128, 255, 255, 0, 0, 192, 64});
    auto out = resampleToMono(*parseWaveImage(b), 48000);
    ASSERT_EQ(out.size(), 5u);
    EXPECT_FLOAT_EQ(out[0], (-1.0f + 127 / 128.0f) / 2);
    EXPECT_FLOAT_EQ(out[1], 0.0f);
    EXPECT_FLOAT_EQ(out[2], 127 / 128.0f);
    EXPECT_FLOAT_EQ(out[3], -1.0f);
    EXPECT_FLOAT_EQ(out[4], 0.0f);
}

TEST(Resampler, KeepsTheLengthOfATone) {
    // 100 ms at 96 kHz and at 44.1 kHz both become 4800 frames at 48 kHz.
    auto hi = image(1, 96000, 8, std::vector<uint8_t>(9600, 200));
    auto lo = image(1, 44100, 16, std::vector<uint8_t>(8820, 0x40));
    EXPECT_EQ(resampleToMono(*parseWaveImage(hi), 48000).size(), 4800u);
    auto out = resampleToMono(*parseWaveImage(lo), 48000);
    ASSERT_EQ(out.size(), 4800u);
    for (float s : out)
        ASSERT_NEAR(s, 0x4040 / 32768.0f, 1e-5);         // a constant stays constant
    EXPECT_EQ(resampledLength(661, 44100, 48000), 719u); // 719.46 frames, to the nearest
}

TEST(Resampler, AveragesStereoAndReadsSigned16Bit) {
    // Left -300 (bytes D4 FE), right +300: the mono mean is silence; then full scale both sides.
    auto b = image(2, 48000, 16, {0xD4, 0xFE, 0x2C, 0x01, 0xFF, 0x7F, 0xFF, 0x7F});
    auto out = resampleToMono(*parseWaveImage(b), 48000);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_FLOAT_EQ(out[0], 0.0f);
    EXPECT_FLOAT_EQ(out[1], 32767 / 32768.0f);
}
