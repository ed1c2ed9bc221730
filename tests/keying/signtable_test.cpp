#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "core/cp1251.h"
#include "keying/signtable.h"

using namespace kelvatron;

namespace {
// Syllables of a mnemonic, split at '-', as UTF-8 strings.
std::vector<std::string> syllables(std::string_view mnemonic) {
    std::vector<std::string> out(1);
    for (char c : mnemonic) {
        if (c == '-') out.emplace_back();
        else out.back() += c;
    }
    return out;
}
} // namespace

TEST(SignTable, SymbolsAndCodesAreUniqueAndWellFormed) {
    std::set<char> symbols;
    std::set<std::string_view> codes;
    for (const auto& r : SignTable) {
        EXPECT_TRUE(symbols.insert(r.Symbol).second) << fromCp1251(std::string(1, r.Symbol));
        EXPECT_TRUE(codes.insert(r.Code).second) << r.Code;
        EXPECT_GE(r.Code.size(), 1u);
        EXPECT_LE(r.Code.size(), 6u);
        EXPECT_EQ(r.Code.find_first_not_of(".-"), std::string_view::npos);
    }
    for (const char* absent : {"Ё", "Ъ", ".", "-"})
        EXPECT_FALSE(FindSign(toCp1251(absent))) << absent;
}

TEST(SignTable, MnemonicSyllablesMatchTheElements) {
    for (const auto& r : SignTable) {
        std::string symbol = fromCp1251(std::string(1, r.Symbol));
        if (r.Mnemonic.empty()) {
            EXPECT_TRUE(symbol == "/" || symbol == ",") << symbol;
            continue;
        }
        auto parts = syllables(r.Mnemonic);
        ASSERT_EQ(parts.size(), r.Code.size()) << symbol;
        for (size_t i = 0; i < parts.size(); ++i) {
            std::string bytes = toCp1251(parts[i]);
            bool capital = true;
            for (unsigned char c : bytes) capital = capital && c >= 0xC0 && c <= 0xDF;
            bool small = true;
            for (unsigned char c : bytes) small = small && c >= 0xE0;
            EXPECT_TRUE(capital || small) << symbol << " syllable " << parts[i];
            EXPECT_EQ(capital, r.Code[i] == '-') << symbol << " syllable " << parts[i];
        }
    }
}

TEST(SignTable, FindSignIsExact) {
    EXPECT_EQ(FindSign(toCp1251("А")), 10);
    EXPECT_FALSE(FindSign(toCp1251("а")));
    EXPECT_FALSE(FindSign("A"));
    EXPECT_EQ(FindSign(" "), 44);
    EXPECT_EQ(SignTable[44].Code, "-...-");
    EXPECT_FALSE(FindSign(""));
    EXPECT_FALSE(FindSign("12"));
    EXPECT_EQ(SignTable[*FindSign("?")].Code.size(), 6u);
    EXPECT_EQ(SignTable[*FindSign(",")].Code.size(), 6u);
    EXPECT_EQ(SignTable[*FindSign(toCp1251("Т"))].Code, "-");
    EXPECT_EQ(SignTable[*FindSign(toCp1251("Е"))].Code, ".");
    EXPECT_EQ(SignTable[0].Symbol, '1');
    EXPECT_EQ(SignTable[9].Symbol, '0');
    EXPECT_EQ(SignTable[36].Symbol, toCp1251("Ь")[0]);
}

TEST(SignTable, EveryLatinLetterHasAPartnerThatIsASign) {
    std::string order;
    for (const auto& row : LatinEquivalents) {
        order += row.Latin;
        EXPECT_TRUE(FindSign(std::string(1, row.KeyedAs))) << row.Latin;
        EXPECT_FALSE(FindSign(std::string(1, row.Latin))) << row.Latin;
        EXPECT_EQ(latinPartner(static_cast<char>(std::tolower(row.Latin))), row.KeyedAs);
    }
    EXPECT_EQ(order, "ABCDEFGHIKLMNOPQRSTUWVXYZJ");
    EXPECT_EQ(latinPartner('Q'), toCp1251("Щ")[0]);
    EXPECT_EQ(latinPartner('v'), toCp1251("Ж")[0]);
    EXPECT_FALSE(latinPartner('1'));
}
