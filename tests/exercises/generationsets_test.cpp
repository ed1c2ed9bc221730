#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "core/cp1251.h"
#include "core/random.h"
#include "exercises/generationsets.h"
#include "keying/signtable.h"

using namespace kelvatron;

namespace {
std::string utf8Of(GenerationSetKind kind) {
    return fromCp1251(std::string(generationSet(kind)));
}
} // namespace

TEST(GenerationSets, HoldTheirCharactersInDrawOrder) {
    EXPECT_EQ(utf8Of(GenerationSetKind::Digits), "0123456789");
    EXPECT_EQ(utf8Of(GenerationSetKind::CyrillicLetters), "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЭЮЯ");
    EXPECT_EQ(utf8Of(GenerationSetKind::LatinLetters), "ABCDEFGHIKLMNOPQRSTUWVXYZJ");
    EXPECT_EQ(utf8Of(GenerationSetKind::DigitsAndCyrillicLetters),
              "0123456789АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЭЮЯ");
    EXPECT_EQ(utf8Of(GenerationSetKind::DigitsAndLatinLetters),
              "0123456789ABCDEFGHIKLMNOPQRSTUWVXYZJ");
    const std::vector<std::size_t> sizes = {10, 31, 26, 41, 36};
    for (int k = 0; k < kGenerationSetCount; ++k) {
        EXPECT_EQ(GenerationSets[k].size(), sizes[k]) << k;
        EXPECT_EQ(std::set<char>(GenerationSets[k].begin(), GenerationSets[k].end()).size(),
                  sizes[k])
            << "entries repeat in set " << k;
    }
}

TEST(GenerationSets, CyrillicLettersAreExactlyTheLetterSignsOfTheSignTable) {
    std::string_view cyrillic = generationSet(GenerationSetKind::CyrillicLetters);
    for (const char* absent : {"Ё", "Ъ", "ё", "а"})
        EXPECT_EQ(cyrillic.find(toCp1251(absent)), std::string_view::npos) << absent;
    EXPECT_LT(cyrillic.find(win1251("Ь")), cyrillic.find(win1251("Ы")));
    // Every entry has a sign, in the order of the table's letter rows.
    for (std::size_t r = 0; r < cyrillic.size(); ++r)
        EXPECT_EQ(FindSign(cyrillic.substr(r, 1)), std::optional<int>(10 + static_cast<int>(r)));
}

TEST(GenerationSets, LatinLettersFollowTheRowsOfLatinEquivalents) {
    std::string_view latin = generationSet(GenerationSetKind::LatinLetters);
    for (std::size_t r = 0; r < LatinEquivalents.size(); ++r)
        EXPECT_EQ(latin[r], LatinEquivalents[r].Latin) << r;
    EXPECT_LT(latin.find('W'), latin.find('V'));
    EXPECT_EQ(latin.back(), 'J');
}

TEST(GenerationSets, LatinEntriesAreKeyedAsTheirCyrillicPartners) {
    EXPECT_EQ(generationEntry('Q').Written, 'Q');
    EXPECT_EQ(generationEntry('Q').Keyed, win1251("Щ"));
    EXPECT_EQ(generationEntry('V').Keyed, win1251("Ж"));
    EXPECT_EQ(generationEntry('W').Keyed, win1251("В"));
    EXPECT_EQ(generationEntry('7').Keyed, '7');
    EXPECT_EQ(generationEntry(win1251("Я")).Keyed, win1251("Я"));
    // Every entry of every set is keyed as a sign that the table holds.
    for (std::string_view set : GenerationSets)
        for (char entry : set)
            EXPECT_TRUE(FindSign(std::string(1, generationEntry(entry).Keyed)))
                << fromCp1251(std::string(1, entry));
}

TEST(GenerationSets, DrawRSelectsEntryR) {
    std::string_view digits = generationSet(GenerationSetKind::Digits);
    RandSeed = 2024;
    std::vector<uint32_t> draws;
    for (int i = 0; i < 50; ++i)
        draws.push_back(Random(10));
    RandSeed = 2024;
    for (uint32_t r : draws)
        EXPECT_EQ(drawEntry(digits), static_cast<char>('0' + r));
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
        for (char entry : set) {
            double d = counts[static_cast<unsigned char>(entry)] - perEntry;
            chi2 += d * d / perEntry;
        }
        const double df = n - 1;
        EXPECT_LT(chi2, df + 4.0 * std::sqrt(2.0 * df)) << "set of " << n;
        int drawnOutside = n * perEntry;
        for (char entry : set)
            drawnOutside -= counts[static_cast<unsigned char>(entry)];
        EXPECT_EQ(drawnOutside, 0);
    }
}
