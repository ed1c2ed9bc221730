#pragma once
#include <array>
#include <optional>
#include <string_view>

namespace kelvatron {

// One Windows-1251 byte for a character written in UTF-8 in the source: ASCII stays as it is,
// Cyrillic А..я become 0xC0..0xFF, Ё and ё 0xA8 and 0xB8. Enough for the program's constant
// tables, and checked at compile time.
constexpr char win1251(std::string_view utf8) {
    if (utf8.size() == 1 && static_cast<unsigned char>(utf8[0]) < 0x80) return utf8[0];
    if (utf8.size() != 2) throw "win1251: one ASCII or Cyrillic character expected";
    unsigned cp = ((static_cast<unsigned char>(utf8[0]) & 0x1F) << 6) |
                  (static_cast<unsigned char>(utf8[1]) & 0x3F);
    if (cp >= 0x410 && cp <= 0x44F) return static_cast<char>(0xC0 + (cp - 0x410));
    if (cp == 0x401) return static_cast<char>(0xA8);
    if (cp == 0x451) return static_cast<char>(0xB8);
    throw "win1251: character outside the constant tables";
}

// One Morse sign: its character, its code in keying order ('.' dot, '-' dash) and the sung
// mnemonic, one syllable per element, capitals for dashes.
struct SignRecord {
    char Symbol;               // one Windows-1251 byte
    std::string_view Code;     // 1 to 6 elements
    std::string_view Mnemonic; // UTF-8 as written; empty for "/" and ","
};

inline constexpr int kSignCount = 45;
extern const std::array<SignRecord, kSignCount> SignTable;

// Index of the record whose Symbol is exactly the given one-byte Windows-1251 string; nothing for
// any other string (small letters, Latin letters, Ё, Ъ, the empty string, two characters).
std::optional<int> FindSign(std::string_view cp1251);

// A Latin capital and the Cyrillic sign keyed for it. Random Latin groups draw rows by number.
struct LatinEquivalent {
    char Latin;   // 'A'..'Z'
    char KeyedAs; // Windows-1251 Symbol of a SignTable record
};
extern const std::array<LatinEquivalent, 26> LatinEquivalents;

// The sign keyed for a Latin letter of either case, or nothing when c is no Latin letter.
std::optional<char> latinPartner(char c);

} // namespace kelvatron
