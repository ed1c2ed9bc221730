// Pause and stop between the signs of a transmission.
#include "transmission/transmissiontesting.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {
// Two digit groups of two signs: event points 1 and 2 belong to the first sign (the check before
// it, then the one after it is written), 3 and 4 to the second, and so on.
class PauseStop : public TransmissionTest {
protected:
    PauseStop() {
        plainRun(h);
        groups(h, 2, 2);
    }
};
} // namespace

TEST_F(PauseStop, PauseHoldsBeforeTheNextSignUntilReleased) {
    size_t keyedWhenPaused = 0, keyedWhileWaiting = 0;
    h.events.at(2, [&] { // after the first sign is written
        clickPause(h);
        keyedWhenPaused = h.clock.log.size();
    });
    h.events.at(4, [&] { keyedWhileWaiting = h.clock.log.size(); }); // some other event
    h.events.at(5, [&] { clickPause(h); });
    start();
    EXPECT_EQ(keyedWhileWaiting, keyedWhenPaused);
    EXPECT_EQ(h.events.waits, 2); // points 4 and 5: the pause sleeps in the event queue
    EXPECT_EQ(h.clock.log, digitGroups(2, 2).log);
    EXPECT_EQ(h.state.pauseFlag, 0);
}

TEST_F(PauseStop, StopWhilePausedEndsInTheSamePassAndANewStartRunsNormally) {
    h.controls.settings.closing = true;
    h.events.at(1, [&] { clickPause(h); });
    h.events.at(2, [&] { clickStop(h); });
    start();
    EXPECT_TRUE(h.clock.log.empty()); // not a sign, no closing
    EXPECT_EQ(h.events.waits, 1);
    // The pause is released.
    EXPECT_EQ(controlState(h), "start=0 pause=0 stop=1 paused=1 bar=0/3 locked=0 input=0 "
                               "preview=1 running=0 align=0");
    h.controls.settings.closing = false;
    start();
    EXPECT_EQ(h.clock.log, digitGroups(2, 2).log);
    EXPECT_EQ(h.text.text(), digitGroups(2, 2).written);
    EXPECT_EQ(h.state.stopFlag, 0);
}

// The click made while the third sign sounds is handled once it has been written.
TEST_F(PauseStop, StopDuringTheThirdSignEndsAfterItWithoutSpacesOrClosing) {
    h.controls.settings.closing = true;
    groups(h, 5, 2);
    std::vector<int> progress; // after each sign is written
    for (int point : {2, 4})
        h.events.at(point, [&] { progress.push_back(h.progress.position); });
    h.events.at(6, [&] {
        progress.push_back(h.progress.position);
        clickStop(h);
    });
    start();
    const Draws expected = digitGroups(5, 2, 3);
    EXPECT_EQ(h.clock.log, expected.log);
    EXPECT_EQ(h.text.text(), expected.written);
    EXPECT_EQ(progress, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(h.events.count, 7); // the click, then the stop handler's own pass; no further check
    EXPECT_EQ(controlState(h), "start=0 pause=0 stop=1 paused=0 bar=0/9 locked=0 input=0 "
                               "preview=1 running=0 align=0");
}

TEST_F(PauseStop, StopInTheTextBodyLeavesInputAndSelectionAsTheyStand) {
    textSource(h, "АБВГ");
    h.events.at(2, [&] { clickStop(h); }); // before the second character
    start();
    EXPECT_EQ(h.clock.log, (speakerSigns("А")));
    EXPECT_EQ(h.text.selLength, 2);
    EXPECT_EQ(controlState(h), "start=0 pause=0 stop=1 paused=0 bar=0/4 locked=0 input=1 "
                               "preview=1 running=0 align=0");
}
