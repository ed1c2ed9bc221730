#pragma once
#include <cstdint>
#include <span>

#include "tonegen/tonetypes.h"

namespace kelvatron {

inline int bytesPerSample(TTGResolution resolution) {
    return resolution == TTGResolution::tg16Bit ? 2 : 1;
}

inline int samplesPer10Ms(TTGQuality quality) {
    return quality == TTGQuality::tgHiQ ? 960 : 441;
}

// Bytes of sample data of a tone of durationMs. The bytes per sample go into the product first,
// so a 16-bit tone at 44100 Hz may have an odd length.
inline uint64_t toneDataLength(TTGResolution resolution, TTGQuality quality, int16_t durationMs) {
    return static_cast<uint64_t>(bytesPerSample(resolution)) * static_cast<uint64_t>(durationMs) *
           static_cast<uint64_t>(samplesPer10Ms(quality)) / 10;
}

struct ToneShape {
    TTGWave wave;
    TTGResolution resolution;
    TTGQuality quality;
    int16_t frequency; // 20..20000
};

// Writes the samples of a tone: 8-bit unsigned with 128 as silence, or 16-bit signed little-endian.
// Samples are written while the byte position is below dataLength, so with 16 bits and an odd
// dataLength the last sample's second byte lands at data[dataLength]; data must hold at least
// dataLength + 1 bytes. Noise draws from the shared pseudo-random generator.
void synthesizeTone(std::span<uint8_t> data, uint64_t dataLength, const ToneShape& shape);

} // namespace kelvatron
