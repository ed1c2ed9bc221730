#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "keying/keymapping.h"
#include "keying/signtable.h"

using namespace kelvatron;

TEST(KeyMapping, TypedCharactersMapToTheSignTheySound) {
    // Letters of either alphabet and case sound the Cyrillic capital; digits, the space and
    // , / ? are signs themselves.
    const std::pair<const char*, const char*> mapped[] = {
        {"д", "Д"}, {"Д", "Д"}, {"d", "Д"}, {"D", "Д"}, {"а", "А"},
        {"я", "Я"}, {"0", "0"}, {"9", "9"}, {" ", " "}, {"?", "?"}};
    for (auto [typed, sign] : mapped)
        EXPECT_EQ(mapTypedKey(toCp1251(typed)[0]), toCp1251(sign)[0]) << typed;
    for (const char* none : {"ъ", "Ё", ".", "\r", "\x7f"})
        EXPECT_FALSE(mapTypedKey(toCp1251(none)[0])) << int(none[0]);
    EXPECT_FALSE(mapTypedKey('\0'));
}

TEST(KeyMapping, EveryMappedCharacterIsASign) {
    int mapped = 0;
    for (int b = 0; b < 256; ++b) {
        auto sign = mapTypedKey(static_cast<char>(b));
        if (!sign) continue;
        ++mapped;
        EXPECT_TRUE(findSign(std::string(1, *sign))) << b;
    }
    // 14 of digits, space and punctuation, 52 Latin and 62 Cyrillic letters.
    EXPECT_EQ(mapped, 14 + 52 + 62);
}
