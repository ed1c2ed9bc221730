#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "keying/keymapping.h"
#include "keying/signtable.h"

using namespace kelvatron;

namespace {
char cp(const char* utf8) {
    return cp1251Char(utf8);
}
} // namespace

TEST(KeyMapping, LettersOfEitherAlphabetAndCaseSoundTheirCyrillicCapital) {
    for (const char* typed : {"д", "Д"})
        EXPECT_EQ(mapTypedKey(cp(typed)), cp("Д")) << typed;
    for (char typed : {'d', 'D'})
        EXPECT_EQ(mapTypedKey(typed), cp("Д")) << typed;
    for (char typed : {'h', 'H'})
        EXPECT_EQ(mapTypedKey(typed), cp("Х"));
    EXPECT_EQ(mapTypedKey(cp("х")), cp("Х"));
    EXPECT_EQ(mapTypedKey(cp("в")), cp("В"));
    EXPECT_EQ(mapTypedKey('w'), cp("В"));
    EXPECT_EQ(mapTypedKey('q'), cp("Щ"));
    EXPECT_EQ(mapTypedKey(cp("а")), cp("А"));
    EXPECT_EQ(mapTypedKey(cp("я")), cp("Я"));
    EXPECT_EQ(mapTypedKey(cp("ь")), cp("Ь"));
}

TEST(KeyMapping, DigitsSpaceAndThreePunctuationSignsStayThemselves) {
    for (char c : std::string("0123456789 ,/?"))
        EXPECT_EQ(mapTypedKey(c), c) << c;
}

TEST(KeyMapping, CharactersWithoutASignAreNotMapped) {
    for (const char* typed : {"ъ", "Ъ", "ё", "Ё"})
        EXPECT_FALSE(mapTypedKey(cp(typed))) << typed;
    for (char c : std::string(".-!;:'\"()\r\n\t\b\x1b\x7f"))
        EXPECT_FALSE(mapTypedKey(c)) << int(c);
    EXPECT_FALSE(mapTypedKey('\0'));
}

TEST(KeyMapping, EveryMappedCharacterIsASign) {
    int mapped = 0;
    for (int b = 0; b < 256; ++b) {
        auto sign = mapTypedKey(static_cast<char>(b));
        if (!sign) continue;
        ++mapped;
        EXPECT_TRUE(FindSign(std::string(1, *sign))) << b;
    }
    // 14 of digits, space and punctuation, 52 Latin and 62 Cyrillic letters.
    EXPECT_EQ(mapped, 14 + 52 + 62);
}
