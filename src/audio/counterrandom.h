#pragma once
#include <cstdint>

namespace kelvatron {

// Random numbers addressed by a stream and a counter (a frame, a slot) rather than drawn in
// turn: the value at n is the same however often and in whatever order it is asked for, so a
// stage that draws this way needs no state to mix frames again after a rewind.
inline uint64_t mixBits(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A stream of its own for each use of one seed.
inline uint64_t randomStream(uint32_t seed, uint32_t use) {
    return mixBits((static_cast<uint64_t>(seed) << 32) | use);
}

inline uint64_t bitsAt(uint64_t stream, int64_t n) {
    return mixBits(stream ^ (static_cast<uint64_t>(n) * 0xD1B54A32D192ED03ull));
}

// Uniform in [-1, 1): variance 1/3.
inline float uniformAt(uint64_t stream, int64_t n) {
    return static_cast<float>(static_cast<int32_t>(bitsAt(stream, n) >> 32)) * (1.0f / 2147483648.0f);
}

// Uniform in [0, 1).
inline double unitAt(uint64_t stream, int64_t n) {
    return static_cast<double>(bitsAt(stream, n) >> 11) * (1.0 / 9007199254740992.0);
}

// Near-Gaussian with mean 0 and variance 1: the sum of four uniforms, whose tails end at 2*sqrt(3).
inline double gaussianAt(uint64_t stream, int64_t n) {
    double sum = 0;
    for (int64_t i = 0; i < 4; ++i)
        sum += uniformAt(stream, 4 * n + i);
    return sum * 0.8660254037844386; // sqrt(3/4)
}

} // namespace kelvatron
