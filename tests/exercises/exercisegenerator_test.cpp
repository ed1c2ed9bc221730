#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <set>
#include <sstream>

#include "core/cp1251.h"
#include "core/random.h"
#include "exercises/generationsets.h"
#include "exercises/jargonwords.h"
#include "support/engineharness.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

// The engine on fakes; it looks at the run whenever the run waits or seeds the generator.
struct GeneratorHarness : EngineHarness {
    GeneratorHarness() {
        clock.onSleep = [this] {
            positionsAtWaits.push_back(progress.position);
            if (recordText) textsAtWaits.push_back(text.text());
        };
        clock.onSeed = [this] { positionsAtSeeds.push_back(progress.position); };
    }
    void setGroups(double size, double count) {
        controls.settings.groupSize = size;
        controls.settings.groupCount = count;
    }
    void chooseLatin(bool latin) {
        controls.settings.cyrillic = !latin;
        controls.settings.latin = latin;
    }
    bool onlyTextSourceChosen() const {
        const TransmissionSettings& s = controls.settings;
        return !s.digits && !s.letters && !s.digitsAndLetters && s.textInWindow;
    }

    bool recordText = false;
    std::vector<int> positionsAtWaits, positionsAtSeeds;
    std::vector<std::string> textsAtWaits;
};

// What the generator draws after seeding with the fake clock's ticks.
std::string drawnGroup(std::string_view set, int size) {
    RandSeed = 12345;
    std::string group;
    for (int i = 0; i < size; ++i)
        group += set[Random(uint32_t(set.size()))];
    return group;
}

std::vector<int> upTo(int n) {
    std::vector<int> v(n);
    std::iota(v.begin(), v.end(), 0);
    return v;
}

} // namespace

// Every unit (a group of five digits, a jargon word) seeds anew from the clock, so equal ticks
// give ten equal units; the bar counts draws and drops back to 0 after each unit; each draw
// stands in the text before its wait; events run once, on the cleared window.
TEST(Exercises, FiveByTenGivesTenUnitsWithOneWaitAndOneProgressStepPerDraw) {
    RandSeed = 12345;
    const std::string word(kJargonWordsCp1251[Random(kJargonWordCount)]);
    struct Case {
        const char* name;
        void (ExerciseGenerator::*command)();
        std::string unit, separator;
        int drawsPerUnit;
        bool inputAfter; // jargon words may be edited before they are keyed
    };
    for (const Case& c :
         {Case{"digits", &ExerciseGenerator::glLabel13Click,
               drawnGroup(generationSet(GenerationSetKind::Digits), 5), "  ", 5, false},
          Case{"jargon", &ExerciseGenerator::glLabel16Click, word, "   ", 1, true}}) {
        SCOPED_TRACE(c.name);
        GeneratorHarness h;
        h.recordText = true;
        h.setGroups(5, 10);
        h.text.setText(toCp1251("старый текст"));
        h.text.alignment = TextAlignment::Centre;
        h.text.inputEnabled = false;
        h.state.KeyPreview = true;
        h.progress.max = 777;
        bool sawClearedWindow = false;
        h.events.at(1, [&] {
            sawClearedWindow = h.text.text().empty() && h.onlyTextSourceChosen() &&
                               h.progress.max == 777 && h.clock.sleeps.empty();
        });
        (h.exerciseGenerator.*c.command)();

        const int n = c.drawsPerUnit, stride = int(c.unit.size() + c.separator.size());
        std::string expected;
        for (int g = 0; g < 10; ++g)
            expected += c.unit + c.separator;
        EXPECT_EQ(h.text.text(), expected);
        EXPECT_EQ(h.progress.max, 10 * n - 1); // 49 for 5 x 10 digits
        EXPECT_EQ(h.positionsAtWaits, upTo(10 * n));
        EXPECT_EQ(h.positionsAtSeeds, std::vector<int>(10, 0));
        EXPECT_EQ(h.progress.position, 0);
        EXPECT_EQ(h.clock.sleeps, std::vector<int32_t>(10 * n, 1));
        ASSERT_EQ(h.textsAtWaits.size(), 10u * n);
        for (int k = 0; k < 10 * n; ++k)
            EXPECT_EQ(h.textsAtWaits[k],
                      expected.substr(0, k / n * stride + (k % n + 1) * c.unit.size() / n))
                << k;
        // The exercise is one whole: one batch, which undo does not take apart.
        EXPECT_EQ(h.text.batches, 1);

        EXPECT_TRUE(sawClearedWindow);
        EXPECT_EQ(h.events.count, 1);
        EXPECT_TRUE(h.onlyTextSourceChosen());
        EXPECT_EQ(h.text.alignment, TextAlignment::Left);
        EXPECT_EQ(h.text.inputEnabled, c.inputAfter);
        EXPECT_TRUE(h.state.KeyPreview);
    }
}

// Stored settings may be damaged; the run takes the nearest value the steppers could have set.
TEST(DigitGroups, GroupSettingsOutOfRangeAreBroughtIntoRange) {
    struct Case {
        double size, count;
        int expectedSize, expectedCount;
    };
    const Case cases[] = {
        {1, 1, 1, 1},     {0, 0, 1, 1},         {-4, -3, 1, 1},
        {2.6, 2.5, 3, 3}, {150, 250, 100, 200}, {NAN, NAN, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " x " << c.count);
        GeneratorHarness h;
        h.setGroups(c.size, c.count);
        h.exerciseGenerator.glLabel13Click();
        EXPECT_EQ(h.text.text().size(), std::size_t((c.expectedSize + 2) * c.expectedCount));
        EXPECT_EQ(h.progress.max, c.expectedSize * c.expectedCount - 1);
    }
}

// Each command draws from its own set, chosen by the alphabet; should damaged settings check
// both alphabets, the Latin run follows and replaces the Cyrillic. Every group is followed by two
// spaces, and the window's input is left as it was.
TEST(Groups, EachCommandDrawsFromTheSetOfTheChosenAlphabet) {
    using Kind = GenerationSetKind;
    struct Case {
        const char* name;
        void (ExerciseGenerator::*command)();
        bool cyrillic, latin;
        Kind set;
    };
    for (const Case& c : {Case{"letters, Cyrillic", &ExerciseGenerator::glLabel14Click, true, false,
                               Kind::CyrillicLetters},
                          Case{"letters, Latin", &ExerciseGenerator::glLabel14Click, false, true,
                               Kind::LatinLetters},
                          Case{"mixed, Cyrillic", &ExerciseGenerator::glLabel15Click, true, false,
                               Kind::DigitsAndCyrillicLetters},
                          Case{"mixed, Latin", &ExerciseGenerator::glLabel15Click, false, true,
                               Kind::DigitsAndLatinLetters},
                          Case{"letters, both", &ExerciseGenerator::glLabel14Click, true, true,
                               Kind::LatinLetters}}) {
        SCOPED_TRACE(c.name);
        GeneratorHarness h;
        h.setGroups(4, 2);
        h.controls.settings.cyrillic = c.cyrillic;
        h.controls.settings.latin = c.latin;
        h.state.KeyPreview = false;
        (h.exerciseGenerator.*c.command)();
        const std::string group = drawnGroup(generationSet(c.set), 4);
        EXPECT_EQ(h.text.text(), group + "  " + group + "  ");
        EXPECT_EQ(h.events.count, c.cyrillic && c.latin ? 2 : 1);
        EXPECT_EQ(h.clock.sleeps.size(), c.cyrillic && c.latin ? 16u : 8u);
        EXPECT_TRUE(h.text.inputEnabled);
        EXPECT_FALSE(h.state.KeyPreview);
    }
}

TEST(JargonExercise, LatinOptionDoesNotKeepTheCyrillicWordsOut) {
    GeneratorHarness h;
    h.clock.seedStep = 7919;
    h.setGroups(5, 200);
    h.chooseLatin(true);
    const std::set<std::string> table(kJargonWordsCp1251.begin(), kJargonWordsCp1251.end());
    std::set<std::string> seen;
    for (int run = 0; run < 10; ++run) {
        h.exerciseGenerator.glLabel16Click();
        std::istringstream words(h.text.text());
        for (std::string word; words >> word; seen.insert(word))
            EXPECT_TRUE(table.count(word)) << fromCp1251(word);
    }
    for (const char* cyrillic : {"БЛГ", "ДСВ", "ЗДР", "НЛД", "СПБ"})
        EXPECT_TRUE(seen.count(toCp1251(cyrillic))) << cyrillic;
}
