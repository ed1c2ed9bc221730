// What the voice says for every sign of both alphabets, and how groups of digits are read.
#include <gtest/gtest.h>

#include <set>

#include "core/cp1251.h"
#include "keying/signnames.h"
#include "keying/signtable.h"

using namespace kelvatron;

namespace {

std::string said(std::string_view utf8, AnswerReading reading = {}) {
    return spokenAnswer(toCp1251(utf8), reading);
}

} // namespace

// Every sign has a name of its own; every Latin letter a word of its own in both phonetic
// alphabets, the same for either case.
TEST(SignNames, EverySignOfBothAlphabetsHasItsOwnName) {
    std::set<std::string_view> names;
    for (const SignRecord& sign : kSignTable) {
        const std::string_view name = signName(sign.symbol, LatinPhonetics::Russian);
        EXPECT_FALSE(name.empty()) << int(sign.symbol);
        EXPECT_TRUE(names.insert(name).second) << name;
    }
    for (LatinPhonetics phonetics : {LatinPhonetics::Russian, LatinPhonetics::International}) {
        std::set<std::string_view> words;
        for (const LatinEquivalent& letter : kLatinEquivalents) {
            const std::string_view word = signName(letter.latin, phonetics);
            EXPECT_FALSE(word.empty()) << letter.latin;
            EXPECT_TRUE(words.insert(word).second) << word;
            EXPECT_EQ(signName(char(letter.latin - 'A' + 'a'), phonetics), word);
        }
    }
    EXPECT_EQ(signName('#', LatinPhonetics::Russian), "");
}

TEST(SignNames, NamesAndReadings) {
    const AnswerReading number{LatinPhonetics::Russian, DigitReading::AsNumber};
    const AnswerReading international{LatinPhonetics::International, DigitReading::DigitByDigit};
    const struct {
        const char* written;
        AnswerReading reading;
        const char* says;
    } rows[] = {
        {"А", {}, "а"},
        {"Й", {}, "и краткое"},
        {"Ь", {}, "мягкий знак"},
        {"щ", {}, "ща"},
        {"?", {}, "вопросительный знак"},
        {"/", {}, "дробь"},
        {",", {}, "запятая"},
        {" ", {}, "знак раздела"},
        {"-", {}, "знак раздела"},
        {"RW", {}, "Роман, Василий"},
        {"RW", international, "Ромео, Виски"},
        {"123", {}, "один, два, три"},
        {"123", number, "сто двадцать три"},
        {"007", number, "ноль, ноль, семь"},
        {"000", number, "ноль, ноль, ноль"},
        {"1234567", number, "один, два, три, четыре, пять, шесть, семь"},
        {"А12Б", number, "а, двенадцать, бэ"},
        {"Ж#Ъ", {}, "жэ, твёрдый знак"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(said(row.written, row.reading), row.says) << row.written;
}

TEST(SignNames, NumbersInWords) {
    const std::pair<uint32_t, const char*> rows[] = {
        {0, "ноль"},
        {11, "одиннадцать"},
        {40, "сорок"},
        {101, "сто один"},
        {1000, "одна тысяча"},
        {2005, "две тысячи пять"},
        {5000, "пять тысяч"},
        {11000, "одиннадцать тысяч"},
        {21000, "двадцать одна тысяча"},
        {999999, "девятьсот девяносто девять тысяч девятьсот девяносто девять"},
    };
    for (const auto& [number, words] : rows)
        EXPECT_EQ(numberInWords(number), words) << number;
}

// A new sign comes with its name and its напев, its capitals (the dashes) in small letters.
TEST(SignNames, ASignIsIntroducedWithItsNapev) {
    EXPECT_EQ(signIntroduction(toCp1251("Б")[0]), "бэ. бей-ба-ра-бан");
    EXPECT_EQ(signIntroduction(toCp1251("Я")[0]), "я. я-ша-я-ша");
    EXPECT_EQ(signIntroduction('/'), "дробь");
}
