// A whole transmission: the start, the opening, the finish and the closing, and what the user
// may do while one runs.
#include <limits>

#include "transmission/transmissionkeyer.h"
#include "transmission/transmissiontesting.h"

using namespace kelvatron;
using namespace kelvatron::test;
using Transmission = TransmissionTest;

namespace {

class TransmissionKeyerTest : public ::testing::Test {
protected:
    EngineHarness e;
    TransmissionKeyer keyer{e.signPlayer, e.clock, e.state.timing};
};

} // namespace

TEST_F(Transmission, StartLocksTheControlsAndTheFinishReleasesThem) {
    plainRun(h);
    groups(h, 2, 3);
    h.state.keyPreview = false; // as after opening a radiogram
    h.state.stopFlag = 1;       // left from an earlier stop
    h.text.inputEnabled = true;
    h.text.alignment = TextAlignment::Centre;
    h.progress.position = 9;
    std::string during;
    h.events.at(1, [&] { during = controlState(h); });
    start();
    EXPECT_EQ(during, "start=1 pause=0 stop=0 paused=0 bar=0/5 locked=1 input=0 preview=1 "
                      "running=1 align=0");
    EXPECT_EQ(controlState(h), "start=0 pause=0 stop=0 paused=0 bar=0/5 locked=0 input=0 "
                               "preview=1 running=0 align=0");
}

// An empty window, or letters without an alphabet: the opening and the closing, which cannot be
// interrupted, and nothing between them.
TEST(Transmissions, NothingToKeyGivesOpeningAndClosingOnly) {
    for (bool letters : {false, true}) {
        SCOPED_TRACE(letters);
        EngineHarness h;
        if (letters) {
            clickSource(h, TransmissionSource::Letters);
            h.controls.settings.cyrillic = false;
            h.text.setText("old");
        } else {
            textSource(h, "");
        }
        clickStart(h);
        EXPECT_EQ(h.clock.log, opening() + closing());
        EXPECT_EQ(h.text.text(), ""); // a generated source clears the window at the start
        EXPECT_EQ(h.events.count, 0);
    }
}

// The closing option is read when the body has ended.
TEST_F(Transmission, ClosingClearedDuringTheRunIsNotSent) {
    h.controls.settings.opening = false;
    groups(h, 1, 1);
    h.events.at(1, [&] { h.controls.settings.closing = !h.controls.settings.closing; });
    start();
    EXPECT_EQ(h.clock.log, digitGroups(1, 1).log);
}

TEST_F(Transmission, StartClickedWhileRunningIsIgnored) {
    groups(h, 2, 2);
    bool checkedAfterClick = false;
    h.events.at(3, [&] {
        clickStart(h);
        checkedAfterClick = h.controls.start;
    });
    start();
    EXPECT_TRUE(checkedAfterClick);
    EXPECT_EQ(h.clock.log, opening() + digitGroups(2, 2).log + closing());
    EXPECT_EQ(h.text.text(), digitGroups(2, 2).written);
    EXPECT_FALSE(h.controls.start);
}

// Damaged settings: sizes 1..100 and counts 1..200, to the nearest whole number; the generator
// takes the same values.
TEST(Transmissions, GroupSettingsOutOfRangeAreBroughtIntoIt) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::tuple<double, int, int> rows[] = {
        {0.4, 1, 1}, {2.5, 3, 3}, {101, 100, 101}, {1e12, 100, 200}, {nan, 1, 1}};
    for (auto [value, size, count] : rows) {
        EXPECT_EQ(TransmissionDriver::groupSizeOf(value), size) << value;
        EXPECT_EQ(TransmissionDriver::groupCountOf(value), count) << value;
    }
    EngineHarness h;
    plainRun(h);
    groups(h, 2.6, 0);
    int max = -1;
    h.events.at(1, [&] {
        max = h.progress.max;
        clickStop(h);
    });
    clickStart(h);
    EXPECT_EQ(max, 2);
}

// The silences a transmission owes after its signs.
TEST_F(TransmissionKeyerTest, OwedWaitsAreSleptLessTheTimeAlreadyGone) {
    keyer.wait(120);
    keyer.wait(240);
    EXPECT_TRUE(e.clock.log.empty());
    e.clock.advance(130.4);
    keyer.settle();
    keyer.settle(); // nothing owed any more
    EXPECT_EQ(e.clock.log, (Log{"sleep 0", "sleep 230"}));
}
