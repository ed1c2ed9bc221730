#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/cp1251.h"
#include "keying/signtable.h"

using namespace kelvatron;

TEST(SignTable, SymbolsAndCodesAreUniqueAndWellFormed) {
    std::set<char> symbols;
    std::set<std::string_view> codes;
    for (const auto& r : kSignTable) {
        EXPECT_TRUE(symbols.insert(r.symbol).second) << fromCp1251(std::string(1, r.symbol));
        EXPECT_TRUE(codes.insert(r.code).second) << r.code;
        EXPECT_TRUE(!r.code.empty() && r.code.size() <= 6) << r.code;
        EXPECT_EQ(r.code.find_first_not_of(".-"), std::string_view::npos);
    }
    for (const char* absent : {"Ё", "а", "", "12"})
        EXPECT_FALSE(findSign(toCp1251(absent))) << absent;
    // The break sign and the two marks no other test keys.
    for (auto [symbol, code] : {std::pair{",", ".-.-.-"}, {"/", "-..-."}, {" ", "-...-"}})
        EXPECT_EQ(kSignTable[*findSign(symbol)].code, code) << symbol;
}
