#pragma once
#include <cstdint>
#include <optional>
#include <span>

namespace kelvatron {

// The playable part of a RIFF/WAVE image: uncompressed PCM, one or two channels, 8 or 16 bits.
struct WaveImage {
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;
    // Whole frames only: a trailing partial frame is not part of the sound.
    std::span<const uint8_t> samples;

    uint32_t bytesPerFrame() const { return channels * (bitsPerSample / 8u); }
    uint64_t frameCount() const { return samples.size() / bytesPerFrame(); }
};

// Reads the format and sample chunks of an in-memory WAVE image. Anything that is not a
// well-formed PCM image of a supported shape, or whose chunks claim more bytes than the image
// holds, yields nothing: a damaged image is refused rather than guessed at.
std::optional<WaveImage> parseWaveImage(std::span<const uint8_t> image);

} // namespace kelvatron
