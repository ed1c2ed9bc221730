#include <gtest/gtest.h>

#include "radiograms/radiogramcodec.h"

using namespace kelvatron;

TEST(RadiogramLineBreaks, EveryKindOfBreakBecomesCrLf) {
    EXPECT_EQ(normalizeLineBreaks("\xC0\xC1\r\n\xC2"), "\xC0\xC1\r\n\xC2");
    EXPECT_EQ(normalizeLineBreaks("one\ntwo\nthree"), "one\r\ntwo\r\nthree");
    EXPECT_EQ(normalizeLineBreaks("one\rtwo\r"), "one\r\ntwo\r\n");
    // CR CR LF is a lone CR and a pair; LF CR is two breaks.
    EXPECT_EQ(normalizeLineBreaks("a\r\r\nb\n\rc"), "a\r\n\r\nb\r\n\r\nc");
    EXPECT_EQ(normalizeLineBreaks("\n"), "\r\n");
    EXPECT_EQ(normalizeLineBreaks(""), "");
    EXPECT_EQ(normalizeLineBreaks("12345  67890  "), "12345  67890  ");
}

TEST(RadiogramDecode, RefusesZeroBytesAndTextBeyondTheWindowsCapacity) {
    RadiogramResult zero = decodeRadiogram(std::string("ab\0c", 4), "/tmp/x.dkm");
    EXPECT_EQ(zero.error, RadiogramError::NotText);
    EXPECT_EQ(zero.message, "The file \"/tmp/x.dkm\" is not a text file: it holds a zero byte.");
    EXPECT_TRUE(zero.text.empty());

    EXPECT_TRUE(decodeRadiogram(std::string(kRadiogramMaxBytes, 'A'), "f").ok());
    RadiogramResult big = decodeRadiogram(std::string(kRadiogramMaxBytes + 1, 'A'), "f");
    EXPECT_EQ(big.error, RadiogramError::TooLarge);
    EXPECT_EQ(big.message, "Text exceeds memo capacity");
    // Lone line feeds grow by a byte each on the way into the window.
    std::string lines(kRadiogramMaxBytes / 2, '\n');
    lines += 'x';
    EXPECT_EQ(decodeRadiogram(lines, "f").error, RadiogramError::TooLarge);

    RadiogramResult empty = decodeRadiogram("", "f");
    EXPECT_TRUE(empty.ok());
    EXPECT_EQ(empty.text, "");
}

TEST(RadiogramEncode, GivesWindows1251WithCrLfAndKeepsTheLastBreakAsItIs) {
    EXPECT_EQ(encodeRadiogram("АБ\nВ").text, "\xC0\xC1\r\n\xC2");
    EXPECT_EQ(encodeRadiogram("АБ\r\nВ").text, "\xC0\xC1\r\n\xC2");
    EXPECT_EQ(encodeRadiogram("line\n").text, "line\r\n");
    EXPECT_EQ(encodeRadiogram("line").text, "line");
    EXPECT_EQ(encodeRadiogram("Радиограмма №1").text,
              "\xD0\xE0\xE4\xE8\xEE\xE3\xF0\xE0\xEC\xEC\xE0 \xB9"
              "1");
    RadiogramResult empty = encodeRadiogram("");
    EXPECT_TRUE(empty.ok());
    EXPECT_EQ(empty.text, "");
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
