#pragma once
#include <array>
#include <optional>
#include <string_view>

#include "core/cyrillic.h"

namespace kelvatron {

// One Morse sign: its character, its code in keying order ('.' dot, '-' dash) and the sung
// mnemonic, one syllable per element, capitals for dashes.
struct SignRecord {
    char symbol;               // one Windows-1251 byte
    std::string_view code;     // 1 to 6 elements
    std::string_view mnemonic; // UTF-8 as written; empty for "/" and ","
};

inline constexpr int kSignCount = 45;
extern const std::array<SignRecord, kSignCount> kSignTable;

// Index of the record whose symbol is exactly the given one-byte Windows-1251 string; nothing for
// any other string (small letters, Latin letters, Ё, Ъ, the empty string, two characters).
std::optional<int> findSign(std::string_view cp1251);

// A Latin capital and the Cyrillic sign keyed for it. Random Latin groups draw rows by number.
struct LatinEquivalent {
    char latin;   // 'A'..'Z'
    char keyedAs; // the Windows-1251 symbol of a kSignTable record
};
extern const std::array<LatinEquivalent, 26> kLatinEquivalents;

// The sign keyed for a Latin letter of either case, or nothing when c is no Latin letter.
std::optional<char> latinPartner(char c);

} // namespace kelvatron
