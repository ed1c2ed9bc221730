#include <gtest/gtest.h>

#include "core/cp1251.h"

using namespace kelvatron;

TEST(Cp1251, CyrillicRoundTrip) {
    EXPECT_EQ(toCp1251("АБВ эюя Ёё"), "\xC0\xC1\xC2 \xFD\xFE\xFF \xA8\xB8");
    EXPECT_EQ(fromCp1251("\xC0\xC1\r\n\xC2"), "АБ\r\nВ");
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(toCp1251Strict(fromCp1251(all)), all); // 0x98 too, the byte without a character
}

TEST(Cp1251, UnencodableCharactersAreReportedWhereTheyStand) {
    size_t at = 99;
    EXPECT_FALSE(toCp1251Strict("Да ✓ нет", &at).has_value());
    EXPECT_EQ(at, std::string("Да ").size());
    EXPECT_EQ(toCp1251("a✓b"), "a?b");
    EXPECT_EQ(toCp1251Strict("№1").value(), "\xB9"
                                            "1");
}

TEST(Cp1251, MalformedUtf8NeverReadsPastTheEnd) {
    EXPECT_EQ(toCp1251("\xD0"), "?");
    EXPECT_EQ(toCp1251("a\xE2\x9C"), "a??");
    EXPECT_EQ(fromCp1251(std::string("\x98", 1)), "\xC2\x98"); // U+0098
}
