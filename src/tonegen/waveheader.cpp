#include "tonegen/waveheader.h"

#include <cstring>

namespace kelvatron {

namespace {

void putTag(uint8_t* at, const char (&tag)[5]) {
    std::memcpy(at, tag, 4);
}

void put16(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void put32(uint8_t* at, uint32_t value) {
    put16(at, value);
    put16(at + 2, value >> 16);
}

} // namespace

void writeWaveHeader(std::span<uint8_t, kWaveHeaderSize> dest, bool stereo, bool sixteenBit,
                     bool highRate, uint32_t dataLength) {
    const uint32_t channels = stereo ? 2 : 1;
    const uint32_t bytesPerSample = sixteenBit ? 2 : 1;
    const uint32_t rate = highRate ? 96000 : 44100;
    uint8_t* h = dest.data();
    putTag(h, "RIFF");
    put32(h + 4, dataLength + 36); // everything after this field
    putTag(h + 8, "WAVE");
    putTag(h + 12, "fmt ");
    put32(h + 16, 16);
    put16(h + 20, 1); // PCM
    put16(h + 22, channels);
    put32(h + 24, rate);
    put32(h + 28, channels * rate * bytesPerSample);
    put16(h + 32, bytesPerSample * channels);
    put16(h + 34, bytesPerSample * 8);
    putTag(h + 36, "data");
    put32(h + 40, dataLength);
}

} // namespace kelvatron
