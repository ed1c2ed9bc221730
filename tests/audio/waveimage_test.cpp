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

// An odd-sized "LIST" chunk (with its pad byte) stands between "fmt " and "data"; the 4 spare
// bytes after the data are not sound, nor is a partial last frame.
TEST(WaveImageParser, SkipsUnknownChunksAndReadsWholeFramesOnly) {
    auto b = image(2, 44100, 16, Bytes(10, 0));
    const Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    b.insert(b.begin() + 36, list.begin(), list.end());
    put(b, 4, uint32_t(b.size() - 8));
    auto wave = parseWaveImage(b);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->channels, 2);
    EXPECT_EQ(wave->sampleRate, 44100u);
    EXPECT_EQ(wave->bitsPerSample, 16);
    EXPECT_EQ(wave->samples.data(), b.data() + 44 + list.size());
    EXPECT_EQ(wave->samples.size(), 8u);
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
    EXPECT_FALSE(damaged([](auto& b) { put(b, 20, 3, 2); }));       // not PCM
    EXPECT_FALSE(damaged([](auto& b) { put(b, 34, 24, 2); }));      // 24 bits
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

// 96 kHz halves by averaging pairs; stereo is averaged (left -300, bytes D4 FE, against right
// +300, then full scale on both); a tone keeps its length and a constant stays constant.
TEST(Resampler, AveragesOverEachOutputSample) {
    EXPECT_EQ(mono(image(1, 96000, 8, {0, 255, 128, 128, 255, 255, 0, 0, 192, 64})),
              (std::vector<float>{(-1.0f + 127 / 128.0f) / 2, 0, 127 / 128.0f, -1, 0}));
    EXPECT_EQ(mono(image(2, 48000, 16, {0xD4, 0xFE, 0x2C, 0x01, 0xFF, 0x7F, 0xFF, 0x7F})),
              (std::vector<float>{0, 32767 / 32768.0f}));
    EXPECT_EQ(mono(image(1, 96000, 8, Bytes(9600, 200))).size(), 4800u);
    EXPECT_EQ(mono(image(1, 44100, 16, Bytes(8820, 0x40))),
              std::vector<float>(4800, 0x4040 / 32768.0f));
    EXPECT_EQ(resampledLength(661, 44100, 48000), 719u); // 719.46 frames, to the nearest
}
