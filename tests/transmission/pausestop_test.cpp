// Pause and stop between the signs of a transmission.
#include <gtest/gtest.h>

#include "transmission/transmissiontesting.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {
// Two digit groups of two signs: event points 1 and 2 belong to the first sign (the check before
// it, then the one after it is written), 3 and 4 to the second, and so on.
void twoByTwoDigits(TForm1& f) {
    plainRun(f);
    groups(f, 2, 2);
}

Draws digitDraws(uint32_t seed, int size, int count, int stopAfter = -1) {
    return expectedGroups(GenerationSetKind::Digits, size, count, stopAfter, seed);
}
} // namespace

TEST(PauseStop, PauseHoldsBeforeTheNextSignUntilReleased) {
    FormHarness h;
    auto& f = *h.form;
    twoByTwoDigits(f);
    size_t keyedWhenPaused = 0, keyedWhileWaiting = 0;
    h.events.at(2, [&] { // after the first sign is written
        f.glCheckBox9->click();
        keyedWhenPaused = h.clock.log.size();
    });
    h.events.at(4, [&] { keyedWhileWaiting = h.clock.log.size(); }); // some other event
    h.events.at(5, [&] { f.glCheckBox9->click(); });
    f.glCheckBox8->click();
    EXPECT_EQ(keyedWhileWaiting, keyedWhenPaused);
    EXPECT_EQ(h.events.waits, 2); // points 4 and 5: the pause sleeps in the event queue
    EXPECT_EQ(h.clock.log, digitDraws(12345, 2, 2).log);
    EXPECT_EQ(f.state.PauseFlag, 0);
}

TEST(PauseStop, StopWhilePausedEndsInTheSamePassWithThePauseReleased) {
    FormHarness h;
    auto& f = *h.form;
    twoByTwoDigits(f);
    f.glCheckBox21->setChecked(true);
    h.events.at(1, [&] { f.glCheckBox9->click(); });
    h.events.at(2, [&] { f.glCheckBox10->click(); });
    f.glCheckBox8->click();
    EXPECT_TRUE(h.clock.log.empty()); // not a sign, no closing
    EXPECT_EQ(h.events.waits, 1);
    EXPECT_FALSE(f.glCheckBox9->Checked());
    EXPECT_FALSE(f.glCheckBox8->Checked());
    EXPECT_EQ(f.state.StopFlag, 1);
}

TEST(PauseStop, StopDuringTheThirdSignEndsAfterItWithoutSpacesOrClosing) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    f.glCheckBox21->setChecked(true);
    groups(f, 5, 2);
    std::vector<int> progress; // after each sign is written
    for (int point : {2, 4})
        h.events.at(point, [&] { progress.push_back(f.ProgressBar1->Position()); });
    // The click made while the third sign sounds is handled once it has been written.
    h.events.at(6, [&] {
        progress.push_back(f.ProgressBar1->Position());
        f.glCheckBox10->click();
    });
    f.glCheckBox8->click();
    Draws expected = digitDraws(12345, 5, 2, 3);
    EXPECT_EQ(h.clock.log, expected.log);
    EXPECT_EQ(f.Memo1->Text(), expected.written);
    EXPECT_EQ(f.Memo1->Text().size(), 3u);
    EXPECT_EQ(progress, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(f.ProgressBar1->Position(), 0);
    EXPECT_EQ(h.events.count, 7); // the click, then the stop handler's own pass; no further check
    EXPECT_FALSE(f.glCheckBox8->Checked());
    EXPECT_TRUE(f.glCheckBox1->isEnabled());
    EXPECT_FALSE(f.glCheckBox2->isHidden());
    EXPECT_FALSE(f.glCheckBox3->isHidden());
}

TEST(PauseStop, StopInTheTextBodyLeavesInputAndSelectionAsTheyStand) {
    FormHarness h;
    auto& f = *h.form;
    plainRun(f);
    textSource(f, "АБВГ");
    h.events.at(2, [&] { f.glCheckBox10->click(); }); // before the second character
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, (speakerSigns({"А"})));
    EXPECT_TRUE(f.Memo1->InputEnabled());
    EXPECT_EQ(f.Memo1->SelLength(), 2);
    EXPECT_EQ(f.ProgressBar1->Position(), 0);
}

TEST(PauseStop, StopThenANewStartRunsNormally) {
    FormHarness h;
    auto& f = *h.form;
    twoByTwoDigits(f);
    h.events.at(1, [&] { f.glCheckBox10->click(); });
    f.glCheckBox8->click();
    EXPECT_TRUE(h.clock.log.empty());
    h.clearRecords();
    f.glCheckBox8->click();
    EXPECT_EQ(h.clock.log, digitDraws(12345, 2, 2).log);
    EXPECT_EQ(f.state.StopFlag, 0);
    EXPECT_EQ(f.Memo1->Text(), digitDraws(12345, 2, 2).written);
}

TEST(PauseStop, StartWithThePauseDownKeysTheOpeningThenWaits) {
    FormHarness h;
    auto& f = *h.form;
    groups(f, 1, 1);
    f.glCheckBox21->setChecked(false);
    f.glCheckBox9->click();
    Log atRelease;
    h.events.at(2, [&] {
        atRelease = h.clock.log;
        f.glCheckBox9->click();
    });
    f.glCheckBox8->click();
    EXPECT_EQ(atRelease, speakerSigns({"Ж", "Ж", "Ж", " "}) + Log{"sleep 720"});
    EXPECT_EQ(h.events.waits, 1);
    EXPECT_EQ(h.clock.log, atRelease + digitDraws(12345, 1, 1).log);
}

TEST(PauseStop, StopAndPauseOutsideATransmissionOnlySetTheirState) {
    FormHarness h;
    auto& f = *h.form;
    f.glCheckBox9->click();
    EXPECT_EQ(f.state.PauseFlag, 1);
    f.glCheckBox9->click();
    EXPECT_EQ(f.state.PauseFlag, 0);
    f.ProgressBar1->setPosition(4);
    f.glCheckBox1->setEnabled(false);
    f.glCheckBox10->click();
    EXPECT_EQ(f.state.StopFlag, 1);
    EXPECT_EQ(f.ProgressBar1->Position(), 0);
    EXPECT_TRUE(f.glCheckBox1->isEnabled());
    EXPECT_TRUE(h.clock.log.empty());
    EXPECT_EQ(h.events.count, 1);
}

TEST(PauseStop, ChecksHandleEventsOncePerSignWhenNotPaused) {
    FormHarness h;
    auto& f = *h.form;
    twoByTwoDigits(f);
    f.glCheckBox8->click();
    EXPECT_EQ(h.events.count, 8); // before and after each of the four signs
    EXPECT_EQ(h.events.waits, 0);
}
