#include <gtest/gtest.h>

#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <set>
#include <sstream>

#include "core/cp1251.h"
#include "core/random.h"
#include "exercises/generationsets.h"
#include "exercises/jargonwords.h"
#include "support/formharness.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"
#include "widgets/tprogressbar.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

// Looks at the window whenever the run waits or seeds the generator.
class ProbeClock : public FakeClock {
public:
    void sleep(int32_t ms) override {
        if (form) positionsAtWaits.push_back(form->ProgressBar1->Position());
        if (form && recordText) textsAtWaits.push_back(form->Memo1->Text());
        FakeClock::sleep(ms);
    }
    // With distinctSeeds every seeding gets ticks of its own, as a real counter would give.
    uint64_t seedTicks() override {
        if (form) positionsAtSeeds.push_back(form->ProgressBar1->Position());
        return ticks + (distinctSeeds ? 7919 * positionsAtSeeds.size() : 0);
    }

    TForm1* form = nullptr;
    bool recordText = false;
    bool distinctSeeds = false;
    std::vector<int> positionsAtWaits, positionsAtSeeds;
    std::vector<std::string> textsAtWaits;
};

struct GeneratorHarness {
    GeneratorHarness() {
        speaker.beepService = true;
        form = std::make_unique<TForm1>(services);
        clock.form = form.get();
        clock.sleeps.clear();
    }
    void setGroups(double size, double count) {
        form->glDigits9->setValue(size);
        form->glDigits10->setValue(count);
    }
    void chooseLatin(bool latin) {
        form->glCheckBox22->setChecked(!latin);
        form->glCheckBox23->setChecked(latin);
    }
    std::string text() const { return form->Memo1->Text(); }

    ProbeClock clock;
    FakeEventPump events;
    FakeSoundDevice sound{&clock};
    FakeSpeakerHardware speaker{&clock};
    FakeKeyboardLayout keyboardLayout;
    FakeDialogs dialogs;
    Services services{clock, events, sound, speaker, keyboardLayout, dialogs};
    std::unique_ptr<TForm1> form;
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

bool onlyTextSourceChosen(TForm1& f) {
    return !f.glCheckBox4->Checked() && !f.glCheckBox5->Checked() && !f.glCheckBox6->Checked() &&
           f.glCheckBox7->Checked();
}

} // namespace

// Every unit (a group of five digits, a jargon word) seeds anew from the clock, so equal ticks
// give ten equal units; the bar counts draws and drops back to 0 after each unit; each draw
// stands in the text before its wait; events run once, on the cleared window.
TEST(Exercises, FiveByTenGivesTenUnitsWithOneWaitAndOneProgressStepPerDraw) {
    RandSeed = 12345;
    const std::string word(JargonWordsCp1251[Random(kJargonWordCount)]);
    struct Case {
        const char* name;
        TglLabel* FormControls::*command;
        std::string unit, separator;
        int drawsPerUnit;
        bool inputAfter; // jargon words may be edited before they are keyed
    };
    for (const Case& c :
         {Case{"digits", &FormControls::glLabel13,
               drawnGroup(generationSet(GenerationSetKind::Digits), 5), "  ", 5, false},
          Case{"jargon", &FormControls::glLabel16, word, "   ", 1, true}}) {
        SCOPED_TRACE(c.name);
        GeneratorHarness h;
        TForm1& f = *h.form;
        h.clock.recordText = true;
        h.setGroups(5, 10);
        f.Memo1->setText("старый текст");
        f.Memo1->setAlignmentAll(Qt::AlignHCenter);
        f.Memo1->setInputEnabled(false);
        f.state.KeyPreview = true;
        f.ProgressBar1->setMax(777);
        f.glLabel7->click();
        bool sawClearedWindow = false;
        h.events.at(1, [&] {
            sawClearedWindow = f.Memo1->Text().empty() && onlyTextSourceChosen(f) &&
                               f.ProgressBar1->Max() == 777 && h.clock.sleeps.empty();
        });
        (f.*c.command)->click();

        const int n = c.drawsPerUnit, stride = int(c.unit.size() + c.separator.size());
        std::string expected;
        for (int g = 0; g < 10; ++g)
            expected += c.unit + c.separator;
        EXPECT_EQ(h.text(), expected);
        EXPECT_EQ(f.ProgressBar1->Max(), 10 * n - 1); // 49 for 5 x 10 digits
        EXPECT_EQ(h.clock.positionsAtWaits, upTo(10 * n));
        EXPECT_EQ(h.clock.positionsAtSeeds, std::vector<int>(10, 0));
        EXPECT_EQ(f.ProgressBar1->Position(), 0);
        EXPECT_EQ(h.clock.sleeps, std::vector<int32_t>(10 * n, 1));
        ASSERT_EQ(h.clock.textsAtWaits.size(), 10u * n);
        for (int k = 0; k < 10 * n; ++k)
            EXPECT_EQ(h.clock.textsAtWaits[k],
                      expected.substr(0, k / n * stride + (k % n + 1) * c.unit.size() / n))
                << k;
        // The exercise is one whole: undo does not take it apart.
        EXPECT_FALSE(f.Memo1->document()->isUndoAvailable());
        EXPECT_TRUE(f.Memo1->document()->isUndoRedoEnabled());

        EXPECT_TRUE(sawClearedWindow);
        EXPECT_EQ(h.events.count, 1);
        EXPECT_TRUE(f.glGroupBox3->isHidden());
        EXPECT_TRUE(onlyTextSourceChosen(f));
        EXPECT_EQ(f.Memo1->Alignment(), Qt::AlignLeft);
        EXPECT_EQ(f.Memo1->InputEnabled(), c.inputAfter);
        EXPECT_TRUE(f.state.KeyPreview);
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
        h.form->glLabel13->click();
        EXPECT_EQ(h.text().size(), std::size_t((c.expectedSize + 2) * c.expectedCount));
        EXPECT_EQ(h.form->ProgressBar1->Max(), c.expectedSize * c.expectedCount - 1);
    }
}

// 20,000 draws show every character of the set and nothing else (no Ё, no Ъ, no digit among
// letters), and digits among mixed groups as often as their share of the set.
TEST(Groups, DrawEveryCharacterOfTheirSetAndNothingElse) {
    const std::string digits = "0123456789";
    const std::string cyrillic = toCp1251("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЭЮЯ");
    const std::string latin = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    struct Case {
        const char* name;
        TglLabel* FormControls::*command;
        bool latin;
        bool mixed;
    };
    for (const Case& c : {Case{"letters, Cyrillic", &FormControls::glLabel14, false, false},
                          Case{"letters, Latin", &FormControls::glLabel14, true, false},
                          Case{"mixed, Cyrillic", &FormControls::glLabel15, false, true},
                          Case{"mixed, Latin", &FormControls::glLabel15, true, true}}) {
        SCOPED_TRACE(c.name);
        GeneratorHarness h;
        h.clock.distinctSeeds = true;
        h.setGroups(100, 200);
        h.chooseLatin(c.latin);
        h.form->Memo1->setInputEnabled(true);
        h.form->state.KeyPreview = false;
        (h.form.get()->*c.command)->click();

        ASSERT_EQ(h.text().size(), 20400u);
        std::string chars;
        for (std::size_t g = 0; g < 200; ++g) { // every group is followed by two spaces
            chars += h.text().substr(g * 102, 100);
            EXPECT_EQ(h.text().substr(g * 102 + 100, 2), "  ") << g;
        }
        const std::string set = (c.mixed ? digits : "") + (c.latin ? latin : cyrillic);
        EXPECT_EQ(std::set<char>(chars.begin(), chars.end()),
                  std::set<char>(set.begin(), set.end()));
        const double digitShare =
            double(std::count_if(chars.begin(), chars.end(),
                                 [](char d) { return d >= '0' && d <= '9'; })) /
            chars.size();
        EXPECT_NEAR(digitShare, c.mixed ? 10.0 / set.size() : 0.0, 0.015);
        EXPECT_EQ(h.form->ProgressBar1->Max(), 19999);
        EXPECT_EQ(h.events.count, 1);
        EXPECT_TRUE(h.form->Memo1->InputEnabled());
        EXPECT_FALSE(h.form->state.KeyPreview);
    }
}

// Should damaged settings check both alphabets, the Latin run follows and replaces the Cyrillic.
TEST(Groups, BothAlphabetOptionsRunCyrillicThenLatin) {
    GeneratorHarness h;
    h.setGroups(4, 2);
    h.form->glCheckBox22->setChecked(true);
    h.form->glCheckBox23->setChecked(true);
    h.form->glLabel14->click();
    const std::string latin = drawnGroup(generationSet(GenerationSetKind::LatinLetters), 4);
    EXPECT_EQ(h.text(), latin + "  " + latin + "  ");
    EXPECT_EQ(h.events.count, 2);
    EXPECT_EQ(h.clock.sleeps.size(), 16u);
}

TEST(JargonExercise, LatinOptionDoesNotKeepTheCyrillicWordsOut) {
    GeneratorHarness h;
    h.clock.distinctSeeds = true;
    h.setGroups(5, 200);
    h.chooseLatin(true);
    const std::set<std::string> table(JargonWordsCp1251.begin(), JargonWordsCp1251.end());
    std::set<std::string> seen;
    for (int run = 0; run < 10; ++run) {
        h.form->glLabel16->click();
        std::istringstream words(h.text());
        for (std::string word; words >> word; seen.insert(word))
            EXPECT_TRUE(table.count(word)) << fromCp1251(word);
    }
    for (const char* cyrillic : {"БЛГ", "ДСВ", "ЗДР", "НЛД", "СПБ"})
        EXPECT_TRUE(seen.count(toCp1251(cyrillic))) << cyrillic;
    EXPECT_EQ(h.events.count, 10);
}
