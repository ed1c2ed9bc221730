#include <gtest/gtest.h>

#include <map>

#include "core/cp1251.h"
#include "core/cyrillic.h"
#include "core/random.h"
#include "training/weaksigns.h"

using namespace kelvatron;

namespace {
consteval char c(const char* utf8) {
    return win1251(utf8);
}
const std::string kAlphabet = toCp1251("АБВГД");
// А always right over 100, Б wrong half the time, В never heard, Г wrong 1 of 1, Д 40 of 50.
const std::vector<SignTally> kRecord = {
    {c("А"), 100, 0}, {c("Б"), 60, 30}, {c("Г"), 1, 1}, {c("Д"), 50, 40}, {c("Ж"), 9, 9}};
} // namespace

TEST(WeakSigns, WeightIsFloorPlusSmoothedErrorRate) {
    const WeakSigns w(kAlphabet + toCp1251("А?Ё"),
                      kRecord); // repeats and non-signs dropped, ? kept
    EXPECT_EQ(w.alphabet(), kAlphabet + "?");
    EXPECT_NEAR(w.weight(c("А")), WeakSigns::kFloor + 1.0 / 104, 1e-12) << "never zero";
    EXPECT_NEAR(w.weight(c("В")), WeakSigns::kFloor + 0.25, 1e-12);
    EXPECT_GT(w.weight(c("Д")), w.weight(c("Б")));
    EXPECT_EQ(w.weight(c("Ж")), 0) << "outside the alphabet";
}

// Signs never wrong are not weak; the others rank by their smoothed rates.
TEST(WeakSigns, DrawsInProportionToWeightsAndRepeatsWithTheSeed) {
    const WeakSigns w(kAlphabet, kRecord);
    EXPECT_EQ(fromCp1251(w.weakest()), "ДБГ");
    EXPECT_EQ(fromCp1251(w.weakest(1)), "Д");
    EXPECT_EQ(WeakSigns(kAlphabet, {}).weakest(), "");
    RandSeed = 12345;
    const std::string groups = w.drawGroups(2000, 5);
    RandSeed = 12345;
    EXPECT_EQ(w.drawGroups(2000, 5), groups);
    EXPECT_EQ(groups.size(), 2000u * 6 - 1);

    std::map<char, int> seen;
    for (char ch : groups)
        if (ch != ' ') ++seen[ch];
    double total = 0;
    for (char ch : kAlphabet)
        total += w.weight(ch);
    for (char ch : kAlphabet)
        EXPECT_NEAR(seen[ch] / 10000.0, w.weight(ch) / total, 0.01)
            << fromCp1251(std::string(1, ch));
    EXPECT_GT(seen[c("А")], 0) << "the floor keeps every sign";
}
