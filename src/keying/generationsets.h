#pragma once
#include <array>
#include <string_view>

namespace kelvatron {

// The character sets random groups are drawn from. Each is an ordered list of Windows-1251 bytes;
// a draw r selects byte r. Letters are capitals.
enum class GenerationSetKind {
    Digits,                   // 10: 0..9, entry r is the digit r
    CyrillicLetters,          // 31: А..Я without Ё and Ъ, Ь before Ы
    LatinLetters,             // 26: the rows of kLatinEquivalents, W before V, J last
    DigitsAndCyrillicLetters, // 41: the digits, then the Cyrillic letters
    DigitsAndLatinLetters,    // 36: the digits, then the Latin letters
};

inline constexpr int kGenerationSetCount = 5;

// Indexed by GenerationSetKind.
extern const std::array<std::string_view, kGenerationSetCount> kGenerationSets;

std::string_view generationSet(GenerationSetKind kind);

// One entry of a set as a generated source uses it: written into the text as it stands, keyed
// as its sign. A Latin letter is keyed as its Cyrillic partner; digits and Cyrillic letters are
// keyed as themselves.
struct GenerationEntry {
    char written; // Windows-1251 byte appended to the text
    char keyed;   // the Windows-1251 symbol of the kSignTable record sounded for it
};

GenerationEntry generationEntry(char entry);

// One draw from the shared generator: set[Random(set.size())]. The set must not be empty.
char drawEntry(std::string_view set);

} // namespace kelvatron
