// The Cyrillic and Latin options in the window: the keys' captions, which keys work, the marks
// and the keyboard layout.
#include <gtest/gtest.h>

#include "support/formharness.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"

using namespace kelvatron;
using Layouts = std::vector<std::string>;

namespace {

class AlphabetOptions : public test::FormTest {
protected:
    QString captions() const {
        QString all;
        for (TglLabel* key : f.letterKeys())
            all += (key->Caption().isEmpty() ? QStringLiteral("_") : key->Caption());
        return all;
    }
    std::vector<bool> enabledKeys() const {
        std::vector<bool> enabled;
        for (TglLabel* key : f.characterKeys())
            enabled.push_back(key->isEnabled());
        enabled.push_back(f.glLabel17->isEnabled());
        return enabled;
    }
    // Checked and gradient of the Cyrillic, then the Latin option.
    std::vector<bool> marks() const {
        return {f.glCheckBox22->Checked(), f.glCheckBox22->GradientActive(),
                f.glCheckBox23->Checked(), f.glCheckBox23->GradientActive()};
    }
};

const std::vector<bool> kCyrillicMarks{true, true, false, false};
const std::vector<bool> kLatinMarks{false, false, true, true};
const QString kCyrillic = QStringLiteral("ЙЦУКЕНГШЩЗХФЫВАПРОЛДЖЭЯЧСМИТЬБЮ");
const QString kLatin = QStringLiteral("QWERTYUIOP_ASDFGHJKL__ZXCVBNM__");

} // namespace

// The keys without a Latin letter are greyed before the layout changes; the digit row and
// "пробел" keep their captions, and a disabled key sounds nothing. A chosen alphabet stays
// chosen when clicked again, and the window's activation chooses the Russian layout but keeps it.
TEST_F(AlphabetOptions, LatinRelabelsTheKeysAndCyrillicRestoresTheStartState) {
    ASSERT_EQ(captions(), kCyrillic);
    const auto startEnabled = enabledKeys();
    f.Memo1->setInputEnabled(true);
    bool greyedBeforeLayout = false;
    h.events.at(1, [&] {
        greyedBeforeLayout = !f.glLabel49->isEnabled() && h.keyboardLayout.loaded.empty();
    });
    f.glCheckBox23->click();
    f.glCheckBox23->click();
    EXPECT_TRUE(greyedBeforeLayout);
    EXPECT_EQ(captions(), kLatin);
    EXPECT_EQ(marks(), kLatinMarks);
    EXPECT_FALSE(f.Memo1->InputEnabled());
    EXPECT_EQ(h.keyboardLayout.loaded, (Layouts{"00000409", "00000409"}));
    EXPECT_EQ(h.events.count, 2); // one per switch to Latin, none for Cyrillic
    std::vector<bool> expected(45, true);
    for (int label : {49, 59, 60, 68, 69})
        expected[label - 27] = false;
    EXPECT_EQ(enabledKeys(), expected);
    EXPECT_EQ(f.glLabel27->Caption() + f.glLabel17->Caption(), QStringLiteral("1пробел"));
    h.clearRecords();
    f.glLabel49->click();
    EXPECT_TRUE(h.clock.log.empty());

    f.FormActivate();
    EXPECT_EQ(h.keyboardLayout.loaded, (Layouts{"00000419"}));
    EXPECT_EQ(captions(), kLatin);
    EXPECT_EQ(marks(), kLatinMarks);

    h.clearRecords();
    f.Memo1->setInputEnabled(true);
    f.glCheckBox22->click();
    f.glCheckBox22->click();
    EXPECT_EQ(captions(), kCyrillic);
    EXPECT_EQ(enabledKeys(), startEnabled);
    EXPECT_EQ(marks(), kCyrillicMarks);
    EXPECT_FALSE(f.Memo1->InputEnabled());
    EXPECT_EQ(h.keyboardLayout.loaded, (Layouts{"00000419", "00000419"}));
    EXPECT_EQ(h.events.count, 2);
}
