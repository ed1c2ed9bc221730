#include <numeric>

#include "exercises/jargonwords.h"
#include "transmission/transmissiontesting.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

// The engine on fakes; it looks at the run whenever the run waits or seeds the generator.
struct GeneratorHarness : EngineHarness {
    GeneratorHarness() {
        clock.onSleep = [this] {
            positionsAtWaits.push_back(progress.position);
            textsAtWaits.push_back(text.text());
        };
        clock.onSeed = [this] { positionsAtSeeds.push_back(progress.position); };
    }
    bool onlyTextSourceChosen() const {
        const TransmissionSettings& s = controls.settings;
        return !s.digits && !s.letters && !s.digitsAndLetters && s.textInWindow;
    }

    std::vector<int> positionsAtWaits, positionsAtSeeds;
    std::vector<std::string> textsAtWaits;
};

// One group as the generator draws it after seeding with the fake clock's ticks.
std::string drawnGroup(GenerationSetKind kind, int size) {
    return expectedGroups(kind, size, 1).written.substr(0, size);
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
        ExerciseKind command;
        std::string unit, separator;
        int drawsPerUnit;
        bool inputAfter; // jargon words may be edited before they are keyed
    };
    for (const Case& c : {Case{"digits", ExerciseKind::Digits,
                               drawnGroup(GenerationSetKind::Digits, 5), "  ", 5, false},
                          Case{"jargon", ExerciseKind::Jargon, word, "   ", 1, true}}) {
        SCOPED_TRACE(c.name);
        GeneratorHarness h;
        groups(h, 5, 10);
        h.text.setText(toCp1251("старый текст"));
        h.text.alignment = TextAlignment::Centre;
        h.text.inputEnabled = false;
        h.state.keyPreview = true;
        h.progress.max = 777;
        bool sawClearedWindow = false;
        h.events.at(1, [&] {
            sawClearedWindow = h.text.text().empty() && h.onlyTextSourceChosen() &&
                               h.progress.max == 777 && h.clock.sleeps.empty();
        });
        h.exerciseGenerator.generate(c.command);

        const int n = c.drawsPerUnit, stride = int(c.unit.size() + c.separator.size());
        std::string expected;
        for (int g = 0; g < 10; ++g)
            expected += c.unit + c.separator;
        EXPECT_EQ(h.text.text(), expected);
        EXPECT_EQ(h.progress.max, 10 * n - 1); // 49 for 5 x 10 digits
        std::vector<int> upTo(10 * n);
        std::iota(upTo.begin(), upTo.end(), 0);
        EXPECT_EQ(h.positionsAtWaits, upTo);
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
        EXPECT_TRUE(h.state.keyPreview);
    }
}

// Each command draws from its own set, chosen by the alphabet; should damaged settings check
// both alphabets, the Latin run follows and replaces the Cyrillic. Every group is followed by two
// spaces, and the window's input is left as it was.
TEST(Groups, EachCommandDrawsFromTheSetOfTheChosenAlphabet) {
    using Kind = GenerationSetKind;
    struct Case {
        const char* name;
        ExerciseKind command;
        bool cyrillic, latin;
        Kind set;
    };
    for (const Case& c :
         {Case{"letters, Cyrillic", ExerciseKind::Letters, true, false, Kind::CyrillicLetters},
          Case{"mixed, Latin", ExerciseKind::DigitsAndLetters, false, true,
               Kind::DigitsAndLatinLetters},
          Case{"letters, both", ExerciseKind::Letters, true, true, Kind::LatinLetters}}) {
        SCOPED_TRACE(c.name);
        GeneratorHarness h;
        groups(h, 4, 2);
        h.controls.settings.cyrillic = c.cyrillic;
        h.controls.settings.latin = c.latin;
        h.state.keyPreview = false;
        h.exerciseGenerator.generate(c.command);
        const std::string group = drawnGroup(c.set, 4);
        EXPECT_EQ(h.text.text(), group + "  " + group + "  ");
        EXPECT_EQ(h.events.count, c.cyrillic && c.latin ? 2 : 1);
        EXPECT_EQ(h.clock.sleeps.size(), c.cyrillic && c.latin ? 16u : 8u);
        EXPECT_TRUE(h.text.inputEnabled);
        EXPECT_FALSE(h.state.keyPreview);
    }
}
