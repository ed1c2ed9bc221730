#pragma once
#include <array>
#include <string_view>

namespace kelvatron {

inline constexpr int kJargonWordCount = 156;

// The radio-jargon words and abbreviations of the jargon exercise, in table order, as UTF-8:
// capitals, Latin except five Cyrillic ones, and the numerals 73 and 88. Two to eight
// characters, each word once.
extern const std::array<std::string_view, kJargonWordCount> kJargonWords;

// The same words in Windows-1251, one byte per character, for the text window's byte text.
extern const std::array<std::string_view, kJargonWordCount> kJargonWordsCp1251;

} // namespace kelvatron
