// The silences a transmission owes after its signs.
#include <gtest/gtest.h>

#include "transmission/transmissionkeyer.h"
#include "transmission/transmissiontesting.h"

using namespace kelvatron;
using namespace kelvatron::test;

TEST(TransmissionKeyer, OwedWaitsAreSleptLessTheTimeAlreadyGone) {
    FormHarness h;
    TransmissionKeyer keyer(h.form->signPlayer, h.clock, h.form->state.timing);
    keyer.wait(120);
    keyer.wait(240);
    EXPECT_TRUE(h.clock.log.empty());
    h.clock.advance(130.4);
    keyer.settle();
    EXPECT_EQ(h.clock.log, (Log{"sleep 0", "sleep 230"}));
    h.clearRecords();
    keyer.settle(); // nothing owed any more
    EXPECT_TRUE(h.clock.log.empty());
}

TEST(TransmissionKeyer, ASignSettlesFirstAndOwesItsPause) {
    FormHarness h;
    TransmissionKeyer keyer(h.form->signPlayer, h.clock, h.form->state.timing);
    keyer.wait(50);
    keyer.key('q'); // a small Latin letter has no sign: nothing at all
    EXPECT_TRUE(h.clock.log.empty());
    keyer.key(cp1251Char("А"));
    Log sign = speakerSign(".-");
    sign.pop_back(); // the pause after the sign is owed
    EXPECT_EQ(h.clock.log, Log{"sleep 50"} + sign);
    keyer.settle();
    EXPECT_EQ(h.clock.log.back(), "sleep 120");
}
