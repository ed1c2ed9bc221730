#pragma once
// Readers for the bytes of a WAVE image in the tone generator's tests.
#include <cstdint>
#include <span>

namespace kelvatron::test {

inline constexpr size_t kHeader = 44;

inline uint32_t le16(std::span<const uint8_t> b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}

inline uint32_t le32(std::span<const uint8_t> b, size_t at) {
    return le16(b, at) | (le16(b, at + 2) << 16);
}

// Sample n of an 8-bit image (0..255) and of a 16-bit one (signed).
inline int sample8(std::span<const uint8_t> image, size_t n) {
    return image[kHeader + n];
}

inline int sample16(std::span<const uint8_t> image, size_t n) {
    return static_cast<int16_t>(le16(image, kHeader + 2 * n));
}

} // namespace kelvatron::test
