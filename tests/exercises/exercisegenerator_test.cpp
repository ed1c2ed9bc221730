#include <gtest/gtest.h>

#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

#include "core/cp1251.h"
#include "exercises/generationsets.h"
#include "exercises/jargonwords.h"
#include "form/services.h"
#include "mainwindow/tform1.h"
#include "support/fakeclock.h"
#include "support/fakedialogs.h"
#include "support/fakeeventpump.h"
#include "support/fakekeyboardlayout.h"
#include "support/fakesounddevice.h"
#include "support/fakespeakerhardware.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"
#include "widgets/tprogressbar.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

// A clock that looks at the window whenever the run waits or seeds the generator, so that the
// progress bar's positions and the text's growth can be checked step by step.
class ProbeClock : public Clock {
public:
    explicit ProbeClock(FakeClock& inner) : inner_(inner) {}

    void sleep(int32_t ms) override {
        if (form) {
            positionsAtWaits.push_back(form->ProgressBar1->Position());
            if (recordText) textsAtWaits.push_back(form->Memo1->Text());
        }
        inner_.sleep(ms);
    }
    double now() const override { return inner_.now(); }
    // With distinctSeeds every seeding gets ticks of its own, as a real counter would give.
    uint64_t seedTicks() override {
        if (form) positionsAtSeeds.push_back(form->ProgressBar1->Position());
        return inner_.ticks + (distinctSeeds ? 7919 * positionsAtSeeds.size() : 0);
    }

    TForm1* form = nullptr;
    bool recordText = false;
    bool distinctSeeds = false;
    std::vector<int> positionsAtWaits;
    std::vector<int> positionsAtSeeds;
    std::vector<std::string> textsAtWaits;

private:
    FakeClock& inner_;
};

struct GeneratorHarness {
    GeneratorHarness() {
        speaker.beepService = true;
        form = std::make_unique<TForm1>(services);
        clock.form = form.get();
        fake.sleeps.clear();
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

    FakeClock fake;
    ProbeClock clock{fake};
    FakeEventPump events;
    FakeSoundDevice sound{&fake};
    FakeSpeakerHardware speaker{&fake};
    FakeKeyboardLayout keyboardLayout;
    FakeDialogs dialogs;
    Services services{clock, events, sound, speaker, keyboardLayout, dialogs};
    std::unique_ptr<TForm1> form;
};

// The draws after seeding with seed, worked out from the generator's recurrence.
std::vector<uint32_t> draws(uint32_t seed, uint32_t range, int count) {
    std::vector<uint32_t> out;
    for (int i = 0; i < count; ++i) {
        seed = seed * 134775813u + 1u;
        out.push_back(static_cast<uint32_t>((uint64_t(seed) * range) >> 32));
    }
    return out;
}

std::string drawnGroup(std::string_view set, int size) {
    std::string group;
    for (uint32_t r : draws(12345, uint32_t(set.size()), size))
        group += set[r];
    return group;
}

std::vector<int> upTo(int n) {
    std::vector<int> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = i;
    return v;
}

bool onlyTextSourceChosen(TForm1& f) {
    return !f.glCheckBox4->Checked() && !f.glCheckBox5->Checked() && !f.glCheckBox6->Checked() &&
           f.glCheckBox7->Checked();
}

// The characters of a groups exercise, separators and all checked: every group has size
// characters followed by two spaces.
std::string groupCharacters(const std::string& text, int size, int count) {
    EXPECT_EQ(text.size(), std::size_t((size + 2) * count));
    std::string chars;
    for (int g = 0; g < count; ++g) {
        chars += text.substr(g * (size + 2), size);
        EXPECT_EQ(text.substr(g * (size + 2) + size, 2), "  ") << "group " << g;
    }
    return chars;
}

std::vector<std::string> jargonUnits(const std::string& text) {
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("   ", pos);
        EXPECT_NE(end, std::string::npos) << "a word without its three spaces";
        if (end == std::string::npos) break;
        words.push_back(text.substr(pos, end - pos));
        pos = end + 3;
    }
    return words;
}

} // namespace

TEST(DigitGroups, TenGroupsOfFiveWithProgressPerCharacterAndBackToZeroAfterEachGroup) {
    GeneratorHarness h;
    TForm1& f = *h.form;
    h.setGroups(5, 10);
    f.Memo1->setText("старый текст");
    f.Memo1->setAlignmentAll(Qt::AlignHCenter);
    f.glLabel7->click();
    f.glLabel13->click();

    const std::string group = drawnGroup(generationSet(GenerationSetKind::Digits), 5);
    std::string expected;
    for (int g = 0; g < 10; ++g)
        expected += group + "  ";
    EXPECT_EQ(h.text(), expected);
    EXPECT_EQ(h.text().size(), 70u);
    EXPECT_EQ(h.text().find_first_of("\r\n"), std::string::npos);

    EXPECT_EQ(f.ProgressBar1->Max(), 49);
    EXPECT_EQ(h.clock.positionsAtWaits, upTo(50));
    // Every group seeds anew, and each starts with the bar back at 0.
    EXPECT_EQ(h.clock.positionsAtSeeds, std::vector<int>(10, 0));
    EXPECT_EQ(f.ProgressBar1->Position(), 0);
    EXPECT_EQ(h.fake.sleeps, std::vector<int32_t>(50, 1));

    EXPECT_EQ(h.events.count, 1);
    EXPECT_TRUE(f.glGroupBox3->isHidden());
    EXPECT_TRUE(onlyTextSourceChosen(f));
    EXPECT_EQ(f.Memo1->Alignment(), Qt::AlignLeft);
}

TEST(DigitGroups, EventsRunOnceOnTheClearedWindowBeforeTheFirstGroup) {
    GeneratorHarness h;
    TForm1& f = *h.form;
    h.setGroups(3, 4);
    f.Memo1->setText("старый текст");
    f.ProgressBar1->setMax(777);
    bool sawClearedWindow = false;
    h.events.at(1, [&] {
        sawClearedWindow = f.Memo1->Text().empty() && onlyTextSourceChosen(f) &&
                           f.ProgressBar1->Max() == 777 && h.fake.sleeps.empty();
    });
    f.glLabel13->click();
    EXPECT_TRUE(sawClearedWindow);
    EXPECT_EQ(h.events.count, 1);
}

// The text grows by one character per draw, and the wait follows the character.
TEST(DigitGroups, TextGrowsOneCharacterBeforeEachWait) {
    GeneratorHarness h;
    TForm1& f = *h.form;
    h.clock.recordText = true;
    h.setGroups(2, 2);
    f.glLabel13->click();
    const std::string group = drawnGroup(generationSet(GenerationSetKind::Digits), 2);
    EXPECT_EQ(h.clock.textsAtWaits,
              (std::vector<std::string>{group.substr(0, 1), group,
                                        group + "  " + group.substr(0, 1), group + "  " + group}));
    // The exercise is one whole: undo does not take it apart.
    EXPECT_FALSE(f.Memo1->document()->isUndoAvailable());
    EXPECT_TRUE(f.Memo1->document()->isUndoRedoEnabled());
}

TEST(DigitGroups, LeaveInputStateAndKeyPreviewAsTheyWere) {
    GeneratorHarness h;
    TForm1& f = *h.form;
    h.setGroups(1, 1);
    f.Memo1->setInputEnabled(false);
    f.state.KeyPreview = false;
    f.glLabel13->click();
    EXPECT_FALSE(f.Memo1->InputEnabled());
    EXPECT_FALSE(f.state.KeyPreview);

    f.Memo1->setInputEnabled(true);
    f.state.KeyPreview = true;
    f.glLabel15->click();
    EXPECT_TRUE(f.Memo1->InputEnabled());
    EXPECT_TRUE(f.state.KeyPreview);
}

TEST(DigitGroups, OneGroupOfOneCharacter) {
    GeneratorHarness h;
    h.setGroups(1, 1);
    h.form->glLabel13->click();
    EXPECT_EQ(h.text(), drawnGroup(generationSet(GenerationSetKind::Digits), 1) + "  ");
    EXPECT_EQ(h.form->ProgressBar1->Max(), 0);
}

// Stored settings may be damaged; the run takes the nearest value the steppers could have set.
TEST(DigitGroups, GroupSettingsOutOfRangeAreBroughtIntoRange) {
    struct Case {
        double size, count;
        int expectedSize, expectedCount;
    };
    const Case cases[] = {
        {0, 0, 1, 1}, {-4, -3, 1, 1}, {2.6, 2.5, 3, 3}, {150, 250, 100, 200}, {NAN, NAN, 1, 1},
    };
    for (const Case& c : cases) {
        GeneratorHarness h;
        h.setGroups(c.size, c.count);
        h.form->glLabel13->click();
        EXPECT_EQ(h.text().size(), std::size_t((c.expectedSize + 2) * c.expectedCount))
            << c.size << " x " << c.count;
        EXPECT_EQ(h.form->ProgressBar1->Max(), c.expectedSize * c.expectedCount - 1);
    }
}

TEST(LetterGroups, CyrillicOptionDrawsAllThirtyOneCapitalsButNeverYoHardSignOrDigit) {
    GeneratorHarness h;
    h.clock.distinctSeeds = true;
    h.setGroups(100, 200);
    h.chooseLatin(false);
    h.form->Memo1->setInputEnabled(false);
    h.form->glLabel14->click();

    const std::string chars = groupCharacters(h.text(), 100, 200);
    const std::set<char> seen(chars.begin(), chars.end());
    const std::string cyrillic = toCp1251("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЭЮЯ");
    EXPECT_EQ(seen, std::set<char>(cyrillic.begin(), cyrillic.end()));
    EXPECT_EQ(seen.count(cp1251Char("Ё")) + seen.count(cp1251Char("Ъ")), 0u);
    EXPECT_EQ(h.form->ProgressBar1->Max(), 19999);
    EXPECT_EQ(h.clock.positionsAtWaits, upTo(20000));
    EXPECT_EQ(h.events.count, 1);
    EXPECT_FALSE(h.form->Memo1->InputEnabled());
}

TEST(LetterGroups, LatinOptionDrawsOnlyTheTwentySixCapitals) {
    GeneratorHarness h;
    h.clock.distinctSeeds = true;
    h.setGroups(10, 100);
    h.chooseLatin(true);
    h.form->glLabel14->click();
    const std::string chars = groupCharacters(h.text(), 10, 100);
    const std::set<char> seen(chars.begin(), chars.end());
    const std::string latin = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    EXPECT_EQ(seen, std::set<char>(latin.begin(), latin.end()));
    EXPECT_EQ(h.events.count, 1);
}

// Should damaged settings check both alphabets, the Latin run follows and replaces the Cyrillic.
TEST(LetterGroups, BothAlphabetOptionsRunCyrillicThenLatin) {
    GeneratorHarness h;
    h.setGroups(4, 2);
    h.form->glCheckBox22->setChecked(true);
    h.form->glCheckBox23->setChecked(true);
    h.form->glLabel14->click();
    const std::string latin = drawnGroup(generationSet(GenerationSetKind::LatinLetters), 4);
    EXPECT_EQ(h.text(), latin + "  " + latin + "  ");
    EXPECT_EQ(h.events.count, 2);
    EXPECT_EQ(h.fake.sleeps.size(), 16u);
}

TEST(MixedGroups, DigitsComeUpTenTimesInFortyOneOrThirtySix) {
    for (bool latin : {false, true}) {
        GeneratorHarness h;
        h.clock.distinctSeeds = true;
        h.setGroups(100, 200);
        h.chooseLatin(latin);
        h.form->glLabel15->click();
        const std::string chars = groupCharacters(h.text(), 100, 200);
        const std::string_view set =
            generationSet(latin ? GenerationSetKind::DigitsAndLatinLetters
                                : GenerationSetKind::DigitsAndCyrillicLetters);
        EXPECT_TRUE(std::all_of(chars.begin(), chars.end(),
                                [&](char c) { return set.find(c) != std::string_view::npos; }));
        const double digits = double(std::count_if(chars.begin(), chars.end(),
                                                   [](char c) { return c >= '0' && c <= '9'; })) /
                              chars.size();
        EXPECT_NEAR(digits, latin ? 10.0 / 36 : 10.0 / 41, 0.015) << (latin ? "Latin" : "Cyrillic");
    }
}

TEST(JargonExercise, TenWordsEachWaitedOnBeforeItsThreeSpaces) {
    GeneratorHarness h;
    TForm1& f = *h.form;
    h.clock.recordText = true;
    h.setGroups(5, 10);
    f.Memo1->setText("старый текст");
    f.Memo1->setInputEnabled(false);
    f.glLabel7->click();
    f.glLabel16->click();

    const std::string word(JargonWordsCp1251[draws(12345, kJargonWordCount, 1)[0]]);
    std::string expected;
    for (int w = 0; w < 10; ++w)
        expected += word + "   ";
    EXPECT_EQ(h.text(), expected);
    EXPECT_EQ(f.ProgressBar1->Max(), 9);
    EXPECT_EQ(h.clock.positionsAtWaits, upTo(10));
    EXPECT_EQ(h.clock.positionsAtSeeds, std::vector<int>(10, 0));
    EXPECT_EQ(f.ProgressBar1->Position(), 0);
    EXPECT_EQ(h.fake.sleeps, std::vector<int32_t>(10, 1));
    ASSERT_EQ(h.clock.textsAtWaits.size(), 10u);
    EXPECT_EQ(h.clock.textsAtWaits[0], word);
    EXPECT_EQ(h.clock.textsAtWaits[1], word + "   " + word);

    EXPECT_EQ(h.events.count, 1);
    EXPECT_TRUE(f.Memo1->InputEnabled());
    EXPECT_TRUE(f.glGroupBox3->isHidden());
    EXPECT_TRUE(onlyTextSourceChosen(f));
    EXPECT_EQ(f.Memo1->Alignment(), Qt::AlignLeft);
}

TEST(JargonExercise, OneWordLeavesMaximumZero) {
    GeneratorHarness h;
    h.setGroups(5, 1);
    h.form->glLabel16->click();
    EXPECT_EQ(jargonUnits(h.text()).size(), 1u);
    EXPECT_EQ(h.form->ProgressBar1->Max(), 0);
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
        for (const std::string& word : jargonUnits(h.text())) {
            EXPECT_TRUE(table.count(word)) << fromCp1251(word);
            seen.insert(word);
        }
    }
    for (const char* cyrillic : {"БЛГ", "ДСВ", "ЗДР", "НЛД", "СПБ"})
        EXPECT_TRUE(seen.count(toCp1251(cyrillic))) << cyrillic;
    EXPECT_EQ(h.events.count, 10);
}
