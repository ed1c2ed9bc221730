#include <gtest/gtest.h>

#include <set>

#include "core/cp1251.h"
#include "exercises/jargonwords.h"

using namespace kelvatron;

// Every word can be keyed: capitals and digits only, each word once. A Cyrillic look-alike in a
// Latin word would be keyed as another sign, so exactly five words hold Cyrillic letters.
TEST(JargonWords, AreUniqueCapitalsOfTwoToEightCharactersInBothForms) {
    std::set<std::string_view> seen;
    int cyrillicWords = 0;
    for (int i = 0; i < kJargonWordCount; ++i) {
        SCOPED_TRACE(JargonWords[i]);
        std::string_view bytes = kJargonWordsCp1251[i];
        EXPECT_EQ(bytes, toCp1251(JargonWords[i]));
        EXPECT_TRUE(seen.insert(bytes).second);
        EXPECT_GE(bytes.size(), 2u);
        EXPECT_LE(bytes.size(), 8u);
        bool cyrillic = false;
        for (char c : bytes) {
            auto b = static_cast<unsigned char>(c);
            EXPECT_TRUE((b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
                        (b >= 0xC0 && b <= 0xDF));
            cyrillic = cyrillic || b >= 0xC0;
        }
        cyrillicWords += cyrillic;
    }
    EXPECT_EQ(cyrillicWords, 5);
}
