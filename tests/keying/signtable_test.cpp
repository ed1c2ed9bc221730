#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "core/cp1251.h"
#include "keying/signtable.h"

using namespace kelvatron;

TEST(SignTable, SymbolsAndCodesAreUniqueAndWellFormed) {
    std::set<char> symbols;
    std::set<std::string_view> codes;
    for (const auto& r : SignTable) {
        EXPECT_TRUE(symbols.insert(r.Symbol).second) << fromCp1251(std::string(1, r.Symbol));
        EXPECT_TRUE(codes.insert(r.Code).second) << r.Code;
        EXPECT_TRUE(!r.Code.empty() && r.Code.size() <= 6) << r.Code;
        EXPECT_EQ(r.Code.find_first_not_of(".-"), std::string_view::npos);
    }
    for (const char* absent : {"Ё", "Ъ", ".", "-", "а", "A", "", "12"})
        EXPECT_FALSE(FindSign(toCp1251(absent))) << absent;
    // The break sign, and the two marks that have no mnemonic to check their code by.
    for (auto [symbol, code] : {std::pair{",", ".-.-.-"}, {"/", "-..-."}, {" ", "-...-"}})
        EXPECT_EQ(SignTable[*FindSign(symbol)].Code, code) << symbol;
}

// A mnemonic has one syllable per element: capitals for a dash, small letters for a dot.
TEST(SignTable, MnemonicSyllablesMatchTheElements) {
    for (const auto& r : SignTable) {
        const std::string symbol = fromCp1251(std::string(1, r.Symbol));
        if (r.Mnemonic.empty()) {
            EXPECT_TRUE(symbol == "/" || symbol == ",") << symbol;
            continue;
        }
        std::vector<std::string> parts(1);
        for (char c : toCp1251(r.Mnemonic))
            c == '-' ? parts.emplace_back() : parts.back() += c;
        ASSERT_EQ(parts.size(), r.Code.size()) << symbol;
        for (size_t i = 0; i < parts.size(); ++i) {
            bool capital = true, small = true;
            for (unsigned char c : parts[i]) {
                capital = capital && c >= 0xC0 && c <= 0xDF;
                small = small && c >= 0xE0;
            }
            EXPECT_TRUE(capital ? r.Code[i] == '-' : small && r.Code[i] == '.')
                << symbol << " syllable " << i;
        }
    }
}

// The order of the Latin letters is checked with the generation sets that draw from them.
TEST(SignTable, EveryLatinLetterHasAPartnerThatIsASign) {
    for (const auto& row : LatinEquivalents) {
        EXPECT_TRUE(FindSign(std::string(1, row.KeyedAs))) << row.Latin;
        EXPECT_FALSE(FindSign(std::string(1, row.Latin))) << row.Latin;
        EXPECT_EQ(latinPartner(static_cast<char>(std::tolower(row.Latin))), row.KeyedAs);
    }
    EXPECT_FALSE(latinPartner('1'));
}
