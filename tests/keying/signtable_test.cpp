#include <gtest/gtest.h>

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
    for (const char* absent : {"Ё", "а", "", "12"})
        EXPECT_FALSE(FindSign(toCp1251(absent))) << absent;
    // The break sign and the two marks no other test keys.
    for (auto [symbol, code] : {std::pair{",", ".-.-.-"}, {"/", "-..-."}, {" ", "-...-"}})
        EXPECT_EQ(SignTable[*FindSign(symbol)].Code, code) << symbol;
}
