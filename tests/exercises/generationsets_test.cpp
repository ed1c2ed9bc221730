#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/cp1251.h"
#include "exercises/generationsets.h"
#include "exercises/jargonwords.h"
#include "keying/signtable.h"

using namespace kelvatron;

// A draw r selects entry r, so the order is part of what a seed produces.
TEST(GenerationSets, HoldTheirCharactersInDrawOrder) {
    std::string all;
    for (std::string_view set : GenerationSets)
        all += fromCp1251(std::string(set)) + " ";
    EXPECT_EQ(all,
              "0123456789 АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЭЮЯ ABCDEFGHIKLMNOPQRSTUWVXYZJ "
              "0123456789АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЭЮЯ 0123456789ABCDEFGHIKLMNOPQRSTUWVXYZJ ");
}

TEST(GenerationSets, LatinEntriesAreKeyedAsTheirCyrillicPartners) {
    EXPECT_EQ(generationEntry('Q').Written, 'Q');
    EXPECT_EQ(generationEntry('Q').Keyed, win1251("Щ"));
    EXPECT_EQ(generationEntry('V').Keyed, win1251("Ж"));
    EXPECT_EQ(generationEntry('7').Keyed, '7');
    for (std::string_view set : GenerationSets)
        for (char entry : set)
            EXPECT_TRUE(FindSign(std::string(1, generationEntry(entry).Keyed)))
                << fromCp1251(std::string(1, entry));
}

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
