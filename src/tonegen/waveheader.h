#pragma once
#include <cstdint>
#include <span>

namespace kelvatron {

inline constexpr uint32_t kWaveHeaderSize = 44;

// Writes the 44-byte RIFF/WAVE PCM header of a sample block of dataLength bytes: mono or stereo,
// 8 or 16 bits per sample, 96000 or 44100 samples per second.
void writeWaveHeader(std::span<uint8_t, kWaveHeaderSize> dest, bool stereo, bool sixteenBit,
                     bool highRate, uint32_t dataLength);

} // namespace kelvatron
