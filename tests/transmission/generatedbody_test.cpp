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
        keyed += speakerSigns(d.written.substr(i, 1)).size() - 1;
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
    clickSource(h, TransmissionSource::DigitsAndLetters);
    latinAlphabet(h);
    groups(h, 1, 1);
    // A seed whose first draw is Q, entry 25 of the digits and Latin letters.
    uint32_t seed = 0;
    while (RandSeed = seed, Random(36) != 25)
        ++seed;
    h.clock.ticks = seed;
    start();
    EXPECT_EQ(h.text.text(), "Q  ");
    EXPECT_EQ(h.clock.log, (speakerSigns("Щ") + Log{"sleep 240"}));
    EXPECT_EQ(h.progress.max, 0);
}

// Each source is looked at when its turn comes: an alphabet switched during the first letter
// body adds the second.
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

// The four source options behave as one choice; clicking the option already set keeps it.
TEST(SourceSelection, TheOptionClickedBecomesTheOnlyOneSet) {
    EngineHarness h;
    using enum TransmissionSource;
    for (TransmissionSource source : {Letters, DigitsAndLetters, DigitsAndLetters, Digits}) {
        clickSource(h, source);
        const TransmissionSettings& s = h.controls.settings;
        std::vector<bool> expected(4, false);
        expected[int(source)] = true;
        EXPECT_EQ((std::vector<bool>{s.digits, s.letters, s.digitsAndLetters, s.textInWindow}),
                  expected);
    }
    h.sourceSelection.selectTextInWindow();
    EXPECT_TRUE(h.controls.settings.textInWindow && !h.controls.settings.digits);
}
