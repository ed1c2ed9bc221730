#include <gtest/gtest.h>

#include <set>

#include "core/cp1251.h"
#include "exercises/jargonwords.h"
#include "transmission/textsign.h"

using namespace kelvatron;

// Every word keys as written: each word once, every character with a sign of its own.
TEST(JargonWords, AreUniqueAndEveryCharacterHasASign) {
    std::set<std::string_view> seen;
    for (int i = 0; i < kJargonWordCount; ++i) {
        const std::string_view bytes = kJargonWordsCp1251[i];
        EXPECT_EQ(bytes, toCp1251(kJargonWords[i]));
        EXPECT_TRUE(seen.insert(bytes).second) << kJargonWords[i];
        for (char c : bytes)
            EXPECT_TRUE(textSign(c)) << kJargonWords[i];
    }
}
