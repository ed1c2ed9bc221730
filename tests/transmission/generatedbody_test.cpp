// Random groups drawn, keyed and written sign by sign.
#include <QTextDocument>

#include "transmission/transmissiontesting.h"

using namespace kelvatron;
using namespace kelvatron::test;
using GeneratedBody = FormTest;

namespace {
void latinAlphabet(TForm1& f) {
    f.glCheckBox22->setChecked(false);
    f.glCheckBox23->setChecked(true);
}
} // namespace

// Events are handled before and after each sign; before it the bar shows the previous sign,
// after it its own.
TEST_F(GeneratedBody, DigitGroupsWithProgressAcrossGroups) {
    plainRun(f);
    groups(f, 3, 2);
    f.Memo1->setText("old text");
    std::vector<int> atPoints;
    for (int point = 1; point <= 12; ++point)
        h.events.at(point, [&] { atPoints.push_back(f.ProgressBar1->Position()); });
    start();
    const Draws expected = digitGroups(3, 2);
    EXPECT_EQ(h.clock.log, expected.log);
    EXPECT_EQ(f.Memo1->Text(), expected.written); // "ddd  ddd  "
    EXPECT_EQ(atPoints, (std::vector<int>{0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5}));
    EXPECT_EQ(h.events.count, 12);
    EXPECT_EQ(h.events.waits, 0);
    EXPECT_EQ(f.ProgressBar1->Max(), 5);
    EXPECT_EQ(f.ProgressBar1->Position(), 0);
}

// Each sign is written as soon as its elements have sounded, while the pause after it runs (the
// two spaces as the group pause begins); the time the writing takes comes off that pause.
TEST_F(GeneratedBody, EachSignIsWrittenAfterItHasSoundedWithinItsPause) {
    plainRun(f);
    groups(f, 2, 2);
    std::vector<std::pair<size_t, std::string>> writes; // log length at each change of the text
    QObject::connect(f.Memo1->document(), &QTextDocument::contentsChanged, [&] {
        std::pair now(h.clock.log.size(), f.Memo1->Text());
        if (!writes.empty() && writes.back() == now) return; // formatting repeats the text
        if (writes.size() == 1) h.clock.advance(7);          // writing the first sign takes 7 ms
        writes.push_back(now);
    });
    start();
    const Draws d = digitGroups(2, 2);
    decltype(writes) expected{{0, ""}}; // cleared at the start
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
    Log log = d.log;
    log.at(expected.at(1).first) = "sleep 113";
    EXPECT_EQ(h.clock.log, log);
}

TEST_F(GeneratedBody, LatinLettersAreWrittenLatinAndKeyedAsTheirPartners) {
    plainRun(f);
    f.glCheckBox5->click();
    latinAlphabet(f);
    groups(f, 1, 1);
    // A seed whose first draw is Q, the 16th Latin entry.
    uint32_t seed = 0;
    while (RandSeed = seed, Random(26) != 15)
        ++seed;
    h.clock.ticks = seed;
    start();
    EXPECT_EQ(memoText(f), "Q  ");
    EXPECT_EQ(h.clock.log, (speakerSigns({"Щ"}) + Log{"sleep 240"}));
    EXPECT_EQ(f.ProgressBar1->Max(), 0);
}

TEST(GeneratedBodies, EverySourceDrawsFromItsOwnSet) {
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
        SCOPED_TRACE(int(c.set));
        FormHarness h;
        auto& f = *h.form;
        plainRun(f);
        (f.*c.source)->click();
        if (c.latin) latinAlphabet(f);
        groups(f, 4, 3);
        f.glCheckBox8->click();
        const Draws d = expectedGroups(c.set, 4, 3);
        EXPECT_EQ(f.Memo1->Text(), d.written);
        EXPECT_EQ(h.clock.log, d.log);
    }
}

// Each source is looked at when its turn comes: letters chosen during the digits follow as a full
// body of their own.
TEST_F(GeneratedBody, LettersChosenDuringADigitRunFollowAsAFullBody) {
    plainRun(f);
    groups(f, 2, 2);
    std::string windowAfterDigits;
    h.events.at(1, [&] { f.glCheckBox5->click(); });
    h.events.at(9, [&] { windowAfterDigits = f.Memo1->Text(); }); // first check of the letters
    start();
    const Draws letters = expectedGroups(GenerationSetKind::CyrillicLetters, 2, 2);
    EXPECT_EQ(windowAfterDigits, ""); // cleared for the letters
    EXPECT_EQ(h.clock.log, digitGroups(2, 2).log + letters.log);
    EXPECT_EQ(f.Memo1->Text(), letters.written);
}

TEST_F(GeneratedBody, AnAlphabetSwitchedDuringTheFirstLetterBodyAddsTheSecond) {
    plainRun(f);
    f.glCheckBox5->click();
    groups(f, 1, 2);
    h.events.at(1, [&] { latinAlphabet(f); });
    start();
    EXPECT_EQ(h.clock.log, expectedGroups(GenerationSetKind::CyrillicLetters, 1, 2).log +
                               expectedGroups(GenerationSetKind::LatinLetters, 1, 2).log);
    // Digits and letters try the Latin body first: a switch to Latin during the Cyrillic body
    // comes too late.
    h.clearRecords();
    f.glCheckBox23->setChecked(false);
    f.glCheckBox22->setChecked(true);
    f.glCheckBox6->click();
    h.events.at(1, [&] { latinAlphabet(f); });
    start();
    EXPECT_EQ(h.clock.log, expectedGroups(GenerationSetKind::DigitsAndCyrillicLetters, 1, 2).log);
}
