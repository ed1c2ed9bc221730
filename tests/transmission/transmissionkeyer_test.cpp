// The silences a transmission owes after its signs.
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/cyrillic.h"
#include "support/engineharness.h"
#include "transmission/transmissionkeyer.h"

using namespace kelvatron;
using namespace kelvatron::test;
using Log = std::vector<std::string>;

namespace {
class TransmissionKeyerTest : public ::testing::Test {
protected:
    EngineHarness e;
    TransmissionKeyer keyer{e.signPlayer, e.clock, e.state.timing};
};
} // namespace

TEST_F(TransmissionKeyerTest, OwedWaitsAreSleptLessTheTimeAlreadyGone) {
    keyer.wait(120);
    keyer.wait(240);
    EXPECT_TRUE(e.clock.log.empty());
    e.clock.advance(130.4);
    keyer.settle();
    keyer.settle(); // nothing owed any more
    EXPECT_EQ(e.clock.log, (Log{"sleep 0", "sleep 230"}));
}

TEST_F(TransmissionKeyerTest, ASignSettlesFirstAndOwesItsPause) {
    keyer.wait(50);
    keyer.key('q'); // a small Latin letter has no sign: nothing at all
    EXPECT_TRUE(e.clock.log.empty());
    keyer.key(win1251("А"));
    const Log sign{"sleep 50", "beep 800 40", "sleep 40", "beep 800 120", "sleep 40"};
    EXPECT_EQ(e.clock.log, sign); // the pause after the sign is owed
    keyer.settle();
    EXPECT_EQ(e.clock.log.size(), sign.size() + 1);
    EXPECT_EQ(e.clock.log.back(), "sleep 120");
}
