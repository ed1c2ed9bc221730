// The text in the window keyed character by character.
#include <gtest/gtest.h>

#include "transmission/textsign.h"
#include "transmission/transmissiontesting.h"

using namespace kelvatron;
using namespace kelvatron::test;

TEST(TextBody, LettersAndASpaceWithProgressAndSelection) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    textSource(f, "А Б");
    std::vector<std::pair<int, int>> progress; // position and maximum before each character
    for (int point = 1; point <= 3; ++point)
        h.events.at(point, [&] {
            progress.emplace_back(f.ProgressBar1->Position(), f.ProgressBar1->Max());
        });
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, (speakerSigns({"А"}) + Log{"sleep 240"} + speakerSigns({"Б"})));
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}}));
    EXPECT_EQ(h.events.count, 3);
    EXPECT_EQ(f.ProgressBar1->Max(), 3);
    EXPECT_EQ(f.ProgressBar1->Position(), 0); // the finish puts the bar back
    EXPECT_EQ(f.Memo1->SelStart(), 0);
    EXPECT_EQ(f.Memo1->SelLength(), 3);
    EXPECT_EQ(memoText(f), "А Б"); // keyed text is never changed
    EXPECT_FALSE(f.Memo1->InputEnabled());
}

TEST(TextBody, SelectionCoversTheKeyedPartAndTheNextCharacter) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    textSource(f, "АБВГ");
    std::vector<std::pair<int, int>> selections;
    std::vector<bool> inputEnabled;
    for (int point = 1; point <= 4; ++point)
        h.events.at(point, [&] {
            selections.emplace_back(f.Memo1->SelStart(), f.Memo1->SelLength());
            inputEnabled.push_back(f.Memo1->InputEnabled());
        });
    f.glCheckBox8->click();
    EXPECT_EQ(selections, (std::vector<std::pair<int, int>>{{0, 0}, {0, 2}, {0, 3}, {0, 4}}));
    EXPECT_EQ(inputEnabled, (std::vector<bool>{true, true, true, true}));
}

TEST(TextBody, LettersOfEitherCaseDigitsAndMarksKeyTheirSigns) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    textSource(f, "vVжЖ-qяЯ09,/?");
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log,
              (speakerSigns({"Ж", "Ж", "Ж", "Ж", " ", "Щ", "Я", "Я", "0", "9", ",", "/", "?"})));
}

TEST(TextBody, CharactersWithoutASignAddNoSoundAndNoPause) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    textSource(f, "ЪъЁё\n!\"=+_*@#;:'()ё");
    f.glCheckBox8->click();
    EXPECT_TRUE(h.clock.log.empty());
    EXPECT_EQ(f.ProgressBar1->Max(), 20); // the line break counts as two characters
    EXPECT_EQ(f.Memo1->SelLength(), 20);
}

TEST(TextBody, FullStopIsTchkBetweenTwoGroupPauses) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    textSource(f, "1.2");
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, (speakerSigns({"1"}) + Log{"sleep 240"} + speakerSigns({"Т", "Ч", "К"}) +
                            Log{"sleep 240"} + speakerSigns({"2"})));
}

TEST(TextBody, ASpaceBeforeTheFirstSignOfTheRunWaitsNothing) {
    // The group pause is derived only when an element sounds.
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    textSource(f, " А ");
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, (Log{"sleep 0"} + speakerSigns({"А"}) + Log{"sleep 240"}));
}

TEST(TextBody, EditsAheadOfTheKeyingTakeEffect) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    textSource(f, "АБВ");
    h.events.at(2, [&] { f.Memo1->setText(toCp1251("АГВ")); });
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, (speakerSigns({"А", "Г", "В"})));
}

TEST(TextBody, AShortenedTextEndsTheBodyAtItsNewEnd) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    f.glCheckBox21->setChecked(true);
    textSource(f, "АБВГ");
    h.events.at(2, [&] { f.Memo1->setText(toCp1251("АБ")); });
    f.glCheckBox8->click();
    // The finish follows as after any complete body, closing included.
    EXPECT_EQ(h.clock.log,
              (speakerSigns({"А", "Б"}) + Log{"sleep 720"} + speakerSigns({"А", "Р"})));
    EXPECT_EQ(h.events.count, 3); // the check before the third character is the last
    EXPECT_FALSE(f.Memo1->InputEnabled());
    EXPECT_FALSE(f.glCheckBox8->Checked());
}

TEST(TextSign, MapsEveryByteAsTheTextBodyKeysIt) {
    auto sign = [](const char* utf8) { return textSign(toCp1251(utf8)[0]); };
    EXPECT_EQ(sign("-"), ' ');
    EXPECT_EQ(sign("w"), cp1251Char("В"));
    EXPECT_EQ(sign("J"), cp1251Char("Й"));
    EXPECT_EQ(sign("а"), cp1251Char("А"));
    EXPECT_EQ(sign("я"), cp1251Char("Я"));
    EXPECT_EQ(sign("Ь"), cp1251Char("Ь"));
    for (const char* none : {" ", ".", "Ъ", "ъ", "Ё", "ё", "\r", "\n", "!", "@", "[", "`", "{"})
        EXPECT_FALSE(sign(none)) << none;
    int signs = 0;
    for (int b = 0; b < 256; ++b)
        signs += textSign(static_cast<char>(b)).has_value();
    // 10 digits, 3 marks, the hyphen, 2 × 31 Cyrillic letters, 2 × 26 Latin letters.
    EXPECT_EQ(signs, 10 + 3 + 1 + 62 + 52);
}
