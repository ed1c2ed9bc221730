#include <gtest/gtest.h>

#include "support/formharness.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"

using namespace kelvatron;
using kelvatron::test::FormHarness;
using Layouts = std::vector<std::string>;

namespace {

QString captions(const TForm1& f) {
    QString all;
    for (TglLabel* key : f.letterKeys())
        all += (key->Caption().isEmpty() ? QStringLiteral("_") : key->Caption());
    return all;
}

std::vector<bool> enabledKeys(const TForm1& f) {
    std::vector<bool> enabled;
    for (TglLabel* key : f.characterKeys())
        enabled.push_back(key->isEnabled());
    enabled.push_back(f.glLabel17->isEnabled());
    return enabled;
}

// Checked and gradient of the Cyrillic, then the Latin option.
std::vector<bool> marks(const TForm1& f) {
    return {f.glCheckBox22->Checked(), f.glCheckBox22->GradientActive(), f.glCheckBox23->Checked(),
            f.glCheckBox23->GradientActive()};
}

const std::vector<bool> kCyrillicMarks{true, true, false, false};
const std::vector<bool> kLatinMarks{false, false, true, true};
const QString kCyrillic = QStringLiteral("ЙЦУКЕНГШЩЗХФЫВАПРОЛДЖЭЯЧСМИТЬБЮ");
const QString kLatin = QStringLiteral("QWERTYUIOP_ASDFGHJKL__ZXCVBNM__");

} // namespace

TEST(AlphabetSwitch, LatinRelabelsTheKeysAndDisablesThoseWithoutALatinLetter) {
    FormHarness h;
    auto& f = *h.form;
    ASSERT_EQ(captions(f), kCyrillic);
    f.Memo1->setInputEnabled(true);
    bool greyedBeforeLayout = false;
    h.events.at(1, [&] {
        greyedBeforeLayout = !f.glLabel49->isEnabled() && h.keyboardLayout.loaded.empty();
    });
    f.glCheckBox23->click();
    EXPECT_TRUE(greyedBeforeLayout);
    EXPECT_EQ(captions(f), kLatin);
    EXPECT_EQ(marks(f), kLatinMarks);
    EXPECT_FALSE(f.Memo1->InputEnabled());
    EXPECT_EQ(h.keyboardLayout.loaded, (Layouts{"00000409"}));
    EXPECT_STREQ(f.alphabetSwitch.layoutName(), "00000409");
    std::vector<bool> expected(45, true);
    for (int label : {49, 59, 60, 68, 69})
        expected[label - 27] = false;
    EXPECT_EQ(enabledKeys(f), expected);
    // The digit row and "пробел" keep their captions.
    EXPECT_EQ(f.glLabel27->Caption(), "1");
    EXPECT_EQ(f.glLabel17->Caption(), QStringLiteral("пробел"));
    // A disabled key sounds nothing.
    h.clearRecords();
    f.glLabel49->click();
    EXPECT_TRUE(h.clock.log.empty());
}

TEST(AlphabetSwitch, CyrillicRestoresTheStartStateAndAChosenAlphabetStaysChosen) {
    FormHarness h;
    auto& f = *h.form;
    const auto startEnabled = enabledKeys(f);
    f.glCheckBox23->click();
    f.glCheckBox23->click();
    EXPECT_EQ(captions(f), kLatin);
    EXPECT_EQ(marks(f), kLatinMarks);
    h.clearRecords();
    f.Memo1->setInputEnabled(true);
    f.glCheckBox22->click();
    EXPECT_EQ(captions(f), kCyrillic);
    EXPECT_EQ(enabledKeys(f), startEnabled);
    EXPECT_EQ(marks(f), kCyrillicMarks);
    EXPECT_FALSE(f.Memo1->InputEnabled());
    EXPECT_EQ(h.keyboardLayout.loaded, (Layouts{"00000419"}));
    EXPECT_EQ(h.events.count, 2); // one per switch to Latin, none for Cyrillic
    f.glCheckBox22->click();
    EXPECT_EQ(marks(f), kCyrillicMarks);
}

TEST(AlphabetSwitch, ActivationChoosesTheRussianLayoutButKeepsTheAlphabet) {
    FormHarness h;
    auto& f = *h.form;
    f.glCheckBox23->click();
    h.clearRecords();
    f.FormActivate();
    EXPECT_EQ(h.keyboardLayout.loaded, (Layouts{"00000419"}));
    EXPECT_EQ(captions(f), kLatin);
    EXPECT_EQ(marks(f), kLatinMarks);
}
