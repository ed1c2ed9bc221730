// Random groups drawn, keyed and written sign by sign.
#include <QTextDocument>
#include <gtest/gtest.h>

#include "transmission/transmissiontesting.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {
void latinAlphabet(TForm1& f) {
    f.glCheckBox22->setChecked(false);
    f.glCheckBox23->setChecked(true);
}
} // namespace

TEST(GeneratedBody, DigitGroupsWithProgressAcrossGroups) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    groups(f, 3, 2);
    f.Memo1->setText("old text");
    std::vector<int> atPoints;
    for (int point = 1; point <= 12; ++point)
        h.events.at(point, [&] { atPoints.push_back(f.ProgressBar1->Position()); });
    f.glCheckBox8->click();
    const Draws expected = expectedGroups(GenerationSetKind::Digits, 3, 2);
    EXPECT_EQ(h.clock.log, expected.log);
    EXPECT_EQ(f.Memo1->Text(), expected.written);
    EXPECT_EQ(f.Memo1->Text().size(), 10u); // "ddd  ddd  "
    EXPECT_EQ(f.ProgressBar1->Max(), 5);
    EXPECT_EQ(f.ProgressBar1->Position(), 0);
    // Before each sign the bar shows the previous one; after it, its own.
    EXPECT_EQ(atPoints, (std::vector<int>{0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5}));
}

TEST(GeneratedBody, EachSignIsWrittenOnlyAfterItHasSounded) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    groups(f, 2, 2);
    // The log's length at each change of the window's text (formatting changes repeat the text).
    std::vector<std::pair<size_t, std::string>> writes;
    QObject::connect(f.Memo1->document(), &QTextDocument::contentsChanged, [&] {
        std::pair now(h.clock.log.size(), f.Memo1->Text());
        if (writes.empty() || writes.back() != now) writes.push_back(now);
    });
    f.glCheckBox8->click();
    // Each sign is written as soon as its elements have sounded, while the pause after it runs;
    // the two spaces as the group pause begins.
    const Draws d = expectedGroups(GenerationSetKind::Digits, 2, 2);
    std::vector<std::pair<size_t, std::string>> expected{{0, ""}}; // cleared at the start
    size_t keyed = 0;
    for (size_t i = 0; i < d.written.size(); ++i) {
        if (d.written[i] == ' ') {
            if (d.written[i - 1] != ' ') expected.emplace_back(keyed, d.written.substr(0, i + 2));
            if (d.written[i - 1] == ' ') keyed += 1; // the group pause
            continue;
        }
        keyed += speakerSign(codeOf(d.written.substr(i, 1).c_str())).size() - 1;
        expected.emplace_back(keyed, d.written.substr(0, i + 1));
        keyed += 1; // the pause after the sign
    }
    EXPECT_EQ(writes, expected);
}

TEST(GeneratedBody, WritingTheWindowTakesNothingFromTheSpacing) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    groups(f, 2, 1);
    // Writing the first sign takes 7 ms: the pause after the sign is that much shorter.
    bool first = true;
    QObject::connect(f.Memo1->document(), &QTextDocument::contentsChanged, [&] {
        if (first && !f.Memo1->Text().empty()) h.clock.advance(7);
        first = first && f.Memo1->Text().empty();
    });
    f.glCheckBox8->click();
    Log expected = expectedGroups(GenerationSetKind::Digits, 2, 1).log;
    const size_t signPause = speakerSign(codeOf(f.Memo1->Text().substr(0, 1).c_str())).size() - 1;
    ASSERT_EQ(expected[signPause], "sleep 120");
    expected[signPause] = "sleep 113";
    EXPECT_EQ(h.clock.log, expected);
}

TEST(GeneratedBody, LatinLettersAreWrittenLatinAndKeyedAsTheirPartners) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    f.glCheckBox5->click();
    latinAlphabet(f);
    groups(f, 1, 1);
    // A seed whose first draw is Q, the 16th Latin entry.
    uint32_t seed = 0;
    while (RandSeed = seed, Random(26) != 15)
        ++seed;
    h.clock.ticks = seed;
    f.glCheckBox8->click();
    EXPECT_EQ(memoText(f), "Q  ");
    EXPECT_EQ(h.clock.log, (speakerSigns({"Щ"}) + Log{"sleep 240"}));
}

TEST(GeneratedBody, EverySourceDrawsFromItsOwnSet) {
    struct Case {
        TglCheckBox* TForm1::*source;
        bool latin;
        GenerationSetKind set;
    };
    const Case cases[] = {
        {&TForm1::glCheckBox5, false, GenerationSetKind::CyrillicLetters},
        {&TForm1::glCheckBox5, true, GenerationSetKind::LatinLetters},
        {&TForm1::glCheckBox6, false, GenerationSetKind::DigitsAndCyrillicLetters},
        {&TForm1::glCheckBox6, true, GenerationSetKind::DigitsAndLatinLetters},
    };
    for (const auto& c : cases) {
        FormHarness h;
        auto& f = *h.form;
        plainRun(f);
        (f.*c.source)->click();
        if (c.latin) latinAlphabet(f);
        groups(f, 4, 3);
        f.glCheckBox8->click();
        const Draws d = expectedGroups(c.set, 4, 3);
        EXPECT_EQ(f.Memo1->Text(), d.written) << int(c.set);
        EXPECT_EQ(h.clock.log, d.log) << int(c.set);
    }
}

TEST(GeneratedBody, OneSignOfOneGroupHasProgressMaximumZero) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    groups(f, 1, 1);
    f.glCheckBox8->click();
    EXPECT_EQ(f.ProgressBar1->Max(), 0);
    EXPECT_EQ(f.Memo1->Text().size(), 3u);
}

TEST(GeneratedBody, LettersChosenDuringADigitRunFollowAsAFullBody) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    groups(f, 2, 2);
    std::string windowAfterDigits;
    h.events.at(1, [&] { f.glCheckBox5->click(); });
    h.events.at(9, [&] { windowAfterDigits = f.Memo1->Text(); }); // first check of the letters
    f.glCheckBox8->click();
    const Draws digits = expectedGroups(GenerationSetKind::Digits, 2, 2);
    const Draws letters = expectedGroups(GenerationSetKind::CyrillicLetters, 2, 2);
    EXPECT_EQ(windowAfterDigits, ""); // cleared for the letters
    EXPECT_EQ(h.clock.log, digits.log + letters.log);
    EXPECT_EQ(f.Memo1->Text(), letters.written);
}

TEST(GeneratedBody, AnAlphabetSwitchedDuringTheFirstLetterBodyAddsTheSecond) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    f.glCheckBox5->click();
    groups(f, 1, 2);
    h.events.at(1, [&] { latinAlphabet(f); });
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, expectedGroups(GenerationSetKind::CyrillicLetters, 1, 2).log +
                               expectedGroups(GenerationSetKind::LatinLetters, 1, 2).log);

    // Digits and letters try the Latin body first: a switch to Latin during the Cyrillic body
    // comes too late.
    h.clearRecords();
    f.glCheckBox23->setChecked(false);
    f.glCheckBox22->setChecked(true);
    f.glCheckBox6->click();
    h.events.at(1, [&] { latinAlphabet(f); });
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, expectedGroups(GenerationSetKind::DigitsAndCyrillicLetters, 1, 2).log);
}

TEST(GeneratedBody, LettersWithoutAnAlphabetGiveOpeningAndClosingOnly) {
    FormHarness h;
    auto& f = *h.form;
    f.glCheckBox5->click();
    f.glCheckBox22->setChecked(false);
    f.Memo1->setText("old");
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, (speakerSigns({"Ж", "Ж", "Ж", " "}) + Log{"sleep 720", "sleep 720"} +
                            speakerSigns({"А", "Р"})));
    EXPECT_EQ(f.Memo1->Text(), ""); // a generated source clears the window at the start
}
