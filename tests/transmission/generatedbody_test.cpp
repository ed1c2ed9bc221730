// Random groups drawn, keyed and written sign by sign.
#include "transmission/transmissiontesting.h"

using namespace kelvatron;
using namespace kelvatron::test;
using GeneratedBody = TransmissionTest;

// Events are handled before and after each sign; before it the bar shows the previous sign,
// after it its own.
TEST_F(GeneratedBody, DigitGroupsWithProgressAcrossGroups) {
    plainRun(h);
    groups(h, 3, 2);
    h.text.setText("old text");
    std::vector<int> atPoints;
    for (int point = 1; point <= 12; ++point)
        h.events.at(point, [&] { atPoints.push_back(h.progress.position); });
    start();
    const Draws expected = digitGroups(3, 2);
    EXPECT_EQ(h.clock.log, expected.log);
    EXPECT_EQ(h.text.text(), expected.written); // "ddd  ddd  "
    EXPECT_EQ(atPoints, (std::vector<int>{0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5}));
    EXPECT_EQ(h.events.count, 12);
    EXPECT_EQ(h.events.waits, 0);
    EXPECT_EQ(h.progress.max, 5);
    EXPECT_EQ(h.progress.position, 0);
}

// Each sign is written as soon as its elements have sounded, while the pause after it runs (the
// two spaces as the group pause begins); the time the writing takes comes off that pause.
TEST_F(GeneratedBody, EachSignIsWrittenAfterItHasSoundedWithinItsPause) {
    plainRun(h);
    groups(h, 2, 2);
    std::vector<std::pair<size_t, std::string>> writes; // log length at each change of the text
    h.text.onChange = [&] {
        std::pair now(h.clock.log.size(), h.text.text());
        if (!writes.empty() && writes.back() == now) return;
        if (writes.size() == 1) h.clock.advance(7); // writing the first sign takes 7 ms
        writes.push_back(now);
    };
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
    plainRun(h);
    clickSource(h, TransmissionSource::Letters);
    latinAlphabet(h);
    groups(h, 1, 1);
    // A seed whose first draw is Q, the 16th Latin entry.
    uint32_t seed = 0;
    while (RandSeed = seed, Random(26) != 15)
        ++seed;
    h.clock.ticks = seed;
    start();
    EXPECT_EQ(memoText(h), "Q  ");
    EXPECT_EQ(h.clock.log, (speakerSigns({"Щ"}) + Log{"sleep 240"}));
    EXPECT_EQ(h.progress.max, 0);
}

TEST(GeneratedBodies, EverySourceDrawsFromItsOwnSet) {
    struct Case {
        TransmissionSource source;
        bool latin;
        GenerationSetKind set;
    };
    const Case cases[] = {
        {TransmissionSource::Letters, false, GenerationSetKind::CyrillicLetters},
        {TransmissionSource::Letters, true, GenerationSetKind::LatinLetters},
        {TransmissionSource::DigitsAndLetters, false, GenerationSetKind::DigitsAndCyrillicLetters},
        {TransmissionSource::DigitsAndLetters, true, GenerationSetKind::DigitsAndLatinLetters},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.set));
        EngineHarness h;
        plainRun(h);
        clickSource(h, c.source);
        if (c.latin) latinAlphabet(h);
        groups(h, 4, 3);
        clickStart(h);
        const Draws d = expectedGroups(c.set, 4, 3);
        EXPECT_EQ(h.text.text(), d.written);
        EXPECT_EQ(h.clock.log, d.log);
    }
}

// Each source is looked at when its turn comes: letters chosen during the digits follow as a full
// body of their own.
TEST_F(GeneratedBody, LettersChosenDuringADigitRunFollowAsAFullBody) {
    plainRun(h);
    groups(h, 2, 2);
    std::string windowAfterDigits;
    h.events.at(1, [&] { clickSource(h, TransmissionSource::Letters); });
    h.events.at(9, [&] { windowAfterDigits = h.text.text(); }); // first check of the letters
    start();
    const Draws letters = expectedGroups(GenerationSetKind::CyrillicLetters, 2, 2);
    EXPECT_EQ(windowAfterDigits, ""); // cleared for the letters
    EXPECT_EQ(h.clock.log, digitGroups(2, 2).log + letters.log);
    EXPECT_EQ(h.text.text(), letters.written);
}

TEST_F(GeneratedBody, AnAlphabetSwitchedDuringTheFirstLetterBodyAddsTheSecond) {
    plainRun(h);
    clickSource(h, TransmissionSource::Letters);
    groups(h, 1, 2);
    h.events.at(1, [&] { latinAlphabet(h); });
    start();
    EXPECT_EQ(h.clock.log, expectedGroups(GenerationSetKind::CyrillicLetters, 1, 2).log +
                               expectedGroups(GenerationSetKind::LatinLetters, 1, 2).log);
    // Digits and letters try the Latin body first: a switch to Latin during the Cyrillic body
    // comes too late.
    h.clearRecords();
    h.controls.settings.latin = false;
    h.controls.settings.cyrillic = true;
    clickSource(h, TransmissionSource::DigitsAndLetters);
    h.events.at(1, [&] { latinAlphabet(h); });
    start();
    EXPECT_EQ(h.clock.log, expectedGroups(GenerationSetKind::DigitsAndCyrillicLetters, 1, 2).log);
}
