#include "audio/waveimage.h"

#include <cstring>

namespace kelvatron {

namespace {

constexpr uint32_t kMaxSampleRate = 1'000'000;

uint16_t le16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

uint32_t le32(std::span<const uint8_t> b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

bool tagIs(std::span<const uint8_t> b, size_t at, const char* tag) {
    return std::memcmp(b.data() + at, tag, 4) == 0;
}

// Fills the format fields from a "fmt " chunk body; false for anything but plain PCM.
bool readFormat(std::span<const uint8_t> body, WaveImage& wave) {
    if (body.size() < 16 || le16(body, 0) != 1) return false;
    wave.channels = le16(body, 2);
    wave.sampleRate = le32(body, 4);
    uint16_t blockAlign = le16(body, 12);
    wave.bitsPerSample = le16(body, 14);
    if (wave.channels != 1 && wave.channels != 2) return false;
    if (wave.bitsPerSample != 8 && wave.bitsPerSample != 16) return false;
    if (wave.sampleRate == 0 || wave.sampleRate > kMaxSampleRate) return false;
    return blockAlign == wave.bytesPerFrame();
}

} // namespace

std::optional<WaveImage> parseWaveImage(std::span<const uint8_t> image) {
    if (image.size() < 12 || !tagIs(image, 0, "RIFF") || !tagIs(image, 8, "WAVE")) return {};
    // The RIFF size bounds the chunks, but never beyond the bytes we were given.
    uint64_t riffEnd = uint64_t(le32(image, 4)) + 8;
    size_t end = riffEnd < image.size() ? static_cast<size_t>(riffEnd) : image.size();
    // A RIFF size too small to hold even the "WAVE" tag leaves no room for any chunk.
    if (end < 12) return {};

    WaveImage wave;
    bool haveFormat = false;
    size_t at = 12;
    while (end - at >= 8) {
        uint32_t size = le32(image, at + 4);
        size_t bodyAt = at + 8;
        if (size > end - bodyAt) return {};
        auto body = image.subspan(bodyAt, size);
        if (tagIs(image, at, "fmt ")) {
            if (!readFormat(body, wave)) return {};
            haveFormat = true;
        } else if (tagIs(image, at, "data")) {
            if (!haveFormat) return {};
            wave.samples = body.first(body.size() - body.size() % wave.bytesPerFrame());
            return wave;
        }
        // Chunks start on even offsets; an odd-sized body is followed by one pad byte.
        size_t next = bodyAt + size + (size & 1u);
        if (next > end) return {};
        at = next;
    }
    return {};
}

} // namespace kelvatron
