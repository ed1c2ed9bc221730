// The Cyrillic and Latin options in the window: the keys' captions, which keys work, the marks
// and the keyboard layout.
#include <gtest/gtest.h>

#include "support/formharness.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"

using namespace kelvatron;
using Layouts = std::vector<std::string>;
using AlphabetOptions = test::FormTest;

// The keys without a Latin letter are greyed before the layout changes, and a disabled key
// sounds nothing. A chosen alphabet stays chosen when clicked again, and the window's
// activation chooses the Russian layout but keeps the alphabet.
TEST_F(AlphabetOptions, LatinRelabelsTheKeysAndCyrillicRestoresTheStartState) {
    auto captions = [&] {
        QString all;
        for (TglLabel* key : f.letterKeys())
            all += key->Caption().isEmpty() ? QStringLiteral("_") : key->Caption();
        return all;
    };
    auto enabledKeys = [&] {
        std::vector<bool> enabled;
        for (TglLabel* key : f.characterKeys())
            enabled.push_back(key->isEnabled());
        return enabled;
    };
    const QString cyrillic = captions();
    const auto startEnabled = enabledKeys();
    f.Memo1->setInputEnabled(true);
    bool greyedBeforeLayout = false;
    h.events.at(1, [&] {
        greyedBeforeLayout = !f.glLabel49->isEnabled() && h.keyboardLayout.loaded.empty();
    });
    f.glCheckBox23->click();
    f.glCheckBox23->click();
    EXPECT_TRUE(greyedBeforeLayout);
    EXPECT_EQ(captions(), QStringLiteral("QWERTYUIOP_ASDFGHJKL__ZXCVBNM__"));
    EXPECT_TRUE(f.glCheckBox23->Checked() && !f.glCheckBox22->Checked());
    EXPECT_FALSE(f.Memo1->InputEnabled());
    EXPECT_EQ(h.keyboardLayout.loaded, (Layouts{"00000409", "00000409"}));
    std::vector<bool> expected(44, true);
    for (int label : {49, 59, 60, 68, 69})
        expected[label - 27] = false;
    EXPECT_EQ(enabledKeys(), expected);
    h.clearRecords();
    f.glLabel49->click();
    EXPECT_TRUE(h.clock.log.empty());

    window.FormActivate();
    EXPECT_EQ(h.keyboardLayout.loaded, (Layouts{"00000419"}));
    EXPECT_TRUE(f.glCheckBox23->Checked());

    h.clearRecords();
    f.glCheckBox22->click();
    f.glCheckBox22->click();
    EXPECT_EQ(captions(), cyrillic);
    EXPECT_EQ(enabledKeys(), startEnabled);
    EXPECT_TRUE(f.glCheckBox22->Checked() && !f.glCheckBox23->Checked());
    EXPECT_EQ(h.keyboardLayout.loaded, (Layouts{"00000419", "00000419"}));
}
