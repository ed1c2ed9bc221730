// Pause and stop between the signs of a transmission.
#include "transmission/transmissiontesting.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {
// Two digit groups of two signs: event points 1 and 2 belong to the first sign (the check before
// it, then the one after it is written), 3 and 4 to the second, and so on.
class PauseStop : public FormTest {
protected:
    PauseStop() {
        plainRun(f);
        groups(f, 2, 2);
    }
};
} // namespace

TEST_F(PauseStop, PauseHoldsBeforeTheNextSignUntilReleased) {
    size_t keyedWhenPaused = 0, keyedWhileWaiting = 0;
    h.events.at(2, [&] { // after the first sign is written
        f.glCheckBox9->click();
        keyedWhenPaused = h.clock.log.size();
    });
    h.events.at(4, [&] { keyedWhileWaiting = h.clock.log.size(); }); // some other event
    h.events.at(5, [&] { f.glCheckBox9->click(); });
    start();
    EXPECT_EQ(keyedWhileWaiting, keyedWhenPaused);
    EXPECT_EQ(h.events.waits, 2); // points 4 and 5: the pause sleeps in the event queue
    EXPECT_EQ(h.clock.log, digitGroups(2, 2).log);
    EXPECT_EQ(f.state.PauseFlag, 0);
}

TEST_F(PauseStop, StopWhilePausedEndsInTheSamePassAndANewStartRunsNormally) {
    f.glCheckBox21->setChecked(true);
    h.events.at(1, [&] { f.glCheckBox9->click(); });
    h.events.at(2, [&] { f.glCheckBox10->click(); });
    start();
    EXPECT_TRUE(h.clock.log.empty()); // not a sign, no closing
    EXPECT_EQ(h.events.waits, 1);
    EXPECT_FALSE(f.glCheckBox9->Checked()); // the pause is released
    EXPECT_FALSE(f.glCheckBox8->Checked());
    EXPECT_EQ(f.state.StopFlag, 1);
    f.glCheckBox21->setChecked(false);
    start();
    EXPECT_EQ(h.clock.log, digitGroups(2, 2).log);
    EXPECT_EQ(f.Memo1->Text(), digitGroups(2, 2).written);
    EXPECT_EQ(f.state.StopFlag, 0);
}

// The click made while the third sign sounds is handled once it has been written.
TEST_F(PauseStop, StopDuringTheThirdSignEndsAfterItWithoutSpacesOrClosing) {
    f.glCheckBox21->setChecked(true);
    groups(f, 5, 2);
    std::vector<int> progress; // after each sign is written
    for (int point : {2, 4})
        h.events.at(point, [&] { progress.push_back(f.ProgressBar1->Position()); });
    h.events.at(6, [&] {
        progress.push_back(f.ProgressBar1->Position());
        f.glCheckBox10->click();
    });
    start();
    const Draws expected = digitGroups(5, 2, 3);
    EXPECT_EQ(h.clock.log, expected.log);
    EXPECT_EQ(f.Memo1->Text(), expected.written);
    EXPECT_EQ(progress, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(f.ProgressBar1->Position(), 0);
    EXPECT_EQ(h.events.count, 7); // the click, then the stop handler's own pass; no further check
    EXPECT_FALSE(f.glCheckBox8->Checked());
    EXPECT_TRUE(f.glCheckBox1->isEnabled());
    EXPECT_FALSE(f.glCheckBox2->isHidden());
    EXPECT_FALSE(f.glCheckBox3->isHidden());
}

TEST_F(PauseStop, StopInTheTextBodyLeavesInputAndSelectionAsTheyStand) {
    textSource(f, "АБВГ");
    h.events.at(2, [&] { f.glCheckBox10->click(); }); // before the second character
    start();
    EXPECT_EQ(h.clock.log, (speakerSigns({"А"})));
    EXPECT_TRUE(f.Memo1->InputEnabled());
    EXPECT_EQ(f.Memo1->SelLength(), 2);
    EXPECT_EQ(f.ProgressBar1->Position(), 0);
}

TEST_F(PauseStop, StartWithThePauseDownKeysTheOpeningThenWaits) {
    groups(f, 1, 1);
    f.glCheckBox20->setChecked(true);
    f.glCheckBox9->click();
    Log atRelease;
    h.events.at(2, [&] {
        atRelease = h.clock.log;
        f.glCheckBox9->click();
    });
    start();
    EXPECT_EQ(atRelease, opening());
    EXPECT_EQ(h.events.waits, 1);
    EXPECT_EQ(h.clock.log, opening() + digitGroups(1, 1).log);
}

TEST_F(PauseStop, StopAndPauseOutsideATransmissionOnlySetTheirState) {
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
