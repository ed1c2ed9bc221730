#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/cp1251.h"
#include "core/random.h"
#include "exercises/generationsets.h"
#include "keying/signtable.h"

using namespace kelvatron;

// A draw r selects entry r, so the order is part of what a seed produces.
TEST(GenerationSets, HoldTheirCharactersInDrawOrder) {
    auto utf8Of = [](GenerationSetKind kind) {
        return fromCp1251(std::string(generationSet(kind)));
    };
    EXPECT_EQ(utf8Of(GenerationSetKind::Digits), "0123456789");
    EXPECT_EQ(utf8Of(GenerationSetKind::CyrillicLetters), "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЭЮЯ");
    EXPECT_EQ(utf8Of(GenerationSetKind::LatinLetters), "ABCDEFGHIKLMNOPQRSTUWVXYZJ");
    EXPECT_EQ(utf8Of(GenerationSetKind::DigitsAndCyrillicLetters),
              "0123456789АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЭЮЯ");
    EXPECT_EQ(utf8Of(GenerationSetKind::DigitsAndLatinLetters),
              "0123456789ABCDEFGHIKLMNOPQRSTUWVXYZJ");
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

// Chi-square of the entry counts over many draws from a fixed seed, against a bound that a fair
// die of N faces exceeds with a chance well below one in a thousand.
TEST(GenerationSets, DrawsAreUniformOverEachSet) {
    for (std::string_view set : GenerationSets) {
        const int n = static_cast<int>(set.size());
        const int perEntry = 2000;
        std::vector<int> counts(256, 0);
        RandSeed = 0x5EED1234u;
        for (int i = 0; i < n * perEntry; ++i)
            ++counts[static_cast<unsigned char>(drawEntry(set))];
        double chi2 = 0;
        int drawnOutside = n * perEntry;
        for (char entry : set) {
            const int count = counts[static_cast<unsigned char>(entry)];
            chi2 += double(count - perEntry) * (count - perEntry) / perEntry;
            drawnOutside -= count;
        }
        const double df = n - 1;
        EXPECT_LT(chi2, df + 4.0 * std::sqrt(2.0 * df)) << "set of " << n;
        EXPECT_EQ(drawnOutside, 0);
    }
}
