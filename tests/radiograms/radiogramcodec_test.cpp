#include <gtest/gtest.h>

#include "radiograms/radiogramcodec.h"

using namespace kelvatron;

TEST(RadiogramLineBreaks, EveryKindOfBreakBecomesCrLf) {
    EXPECT_EQ(normalizeLineBreaks("one\ntwo\rthree\r\n"), "one\r\ntwo\r\nthree\r\n");
    // CR CR LF is a lone CR and a pair; LF CR is two breaks.
    EXPECT_EQ(normalizeLineBreaks("a\r\r\nb\n\rc"), "a\r\n\r\nb\r\n\r\nc");
}

// The messages of refused files are checked where the window opens them.
TEST(RadiogramDecode, CountsTheWindowsCapacityWithLineBreaksMadeCrLf) {
    EXPECT_TRUE(decodeRadiogram(std::string(kRadiogramMaxBytes, 'A'), "f").ok());
    EXPECT_EQ(decodeRadiogram(std::string(kRadiogramMaxBytes + 1, 'A'), "f").error,
              RadiogramError::TooLarge);
    EXPECT_EQ(decodeRadiogram(std::string(kRadiogramMaxBytes / 2, '\n') + "x", "f").error,
              RadiogramError::TooLarge);
    EXPECT_EQ(decodeRadiogram(std::string("ab\0c", 4), "f").error, RadiogramError::NotText);
    EXPECT_TRUE(decodeRadiogram("", "f").ok());
}

TEST(RadiogramEncode, GivesWindows1251WithCrLfAndKeepsTheLastBreakAsItIs) {
    EXPECT_EQ(encodeRadiogram("АБ\nВ").text, "\xC0\xC1\r\n\xC2");
    EXPECT_EQ(encodeRadiogram("№1\r\n").text, "\xB9"
                                              "1\r\n");
    EXPECT_EQ(encodeRadiogram("line").text, "line");
}

TEST(RadiogramEncode, NamesTheFirstCharacterWithoutPlaceAndItsLine) {
    RadiogramResult r = encodeRadiogram("ЖЖЖ\r\nCQ DE\nOK ✓ and ★\n");
    EXPECT_EQ(r.error, RadiogramError::Unencodable);
    EXPECT_EQ(r.message, "The text cannot be saved: the character \"✓\" (U+2713) in line 3 has no "
                         "place in the Windows-1251 code page of radiogram files. Remove or "
                         "replace it and save again.");
    EXPECT_TRUE(r.text.empty());
    // Lone carriage returns end lines too; an invisible character is named by its code.
    EXPECT_NE(
        encodeRadiogram("a\rb\r\xE2\x80\x8B").message.find("\"\xE2\x80\x8B\" (U+200B) in line 3"),
        std::string::npos);
    // A zero character would make the file unreadable; control characters are shown by code.
    EXPECT_NE(
        encodeRadiogram(std::string("ok\n\0", 4)).message.find("the character U+0000 in line 2"),
        std::string::npos);
    EXPECT_NE(encodeRadiogram("x\xFF").message.find("the byte 0xFF in line 1"), std::string::npos);
    // An overlong zero must not slip through as a zero byte.
    EXPECT_EQ(encodeRadiogram("\xC0\x80").error, RadiogramError::Unencodable);
}
