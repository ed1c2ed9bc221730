#pragma once
#include <array>
#include <cstddef>
#include <string_view>

namespace kelvatron {

// Constant texts are written in the source as readable UTF-8 (Cyrillic as Cyrillic) and turned
// into Windows-1251 bytes by the compiler, one byte per character; a character outside the
// constant tables stops the build.

// One Windows-1251 byte for a character written in UTF-8: ASCII stays as it is, Cyrillic А..я
// become 0xC0..0xFF, Ё and ё 0xA8 and 0xB8.
consteval char win1251(std::string_view utf8) {
    if (utf8.size() == 1 && static_cast<unsigned char>(utf8[0]) < 0x80) return utf8[0];
    if (utf8.size() != 2) throw "win1251: one ASCII or Cyrillic character expected";
    unsigned cp = ((static_cast<unsigned char>(utf8[0]) & 0x1F) << 6) |
                  (static_cast<unsigned char>(utf8[1]) & 0x3F);
    if (cp >= 0x410 && cp <= 0x44F) return static_cast<char>(0xC0 + (cp - 0x410));
    if (cp == 0x401) return static_cast<char>(0xA8);
    if (cp == 0x451) return static_cast<char>(0xB8);
    throw "win1251: character outside the constant tables";
}

// Characters of a UTF-8 text: every byte that does not continue a multi-byte sequence.
constexpr std::size_t utf8CharCount(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

// The Windows-1251 bytes of a UTF-8 text of ASCII and Cyrillic; N must be its character count.
template <std::size_t N> consteval std::array<char, N> cp1251Bytes(std::string_view utf8) {
    std::array<char, N> out{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t len = static_cast<unsigned char>(utf8[i]) < 0x80 ? 1 : 2;
        if (n == N) throw "cp1251Bytes: more characters than the array holds";
        out[n++] = win1251(utf8.substr(i, len));
        i += len;
    }
    if (n != N) throw "cp1251Bytes: fewer characters than the array holds";
    return out;
}

template <std::size_t A, std::size_t B>
constexpr std::array<char, A + B> joinBytes(const std::array<char, A>& a,
                                            const std::array<char, B>& b) {
    std::array<char, A + B> out{};
    for (std::size_t i = 0; i < A; ++i)
        out[i] = a[i];
    for (std::size_t i = 0; i < B; ++i)
        out[A + i] = b[i];
    return out;
}

template <std::size_t N> constexpr std::string_view bytesView(const std::array<char, N>& a) {
    return {a.data(), N};
}

} // namespace kelvatron
