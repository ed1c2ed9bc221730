#pragma once
#include <cstdint>

namespace kelvatron {

// Ordinal values are part of the stored settings, so they never change.
enum class TTGWave : uint8_t { tgSine, tgSquare, tgTriangle, tgSawtooth, tgNoise };
enum class TTGResolution : uint8_t { tg16Bit, tg8Bit };
enum class TTGQuality : uint8_t { tgHiQ, tgLoQ };

} // namespace kelvatron
