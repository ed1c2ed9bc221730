// The silences a transmission owes after its signs.
#include "transmission/transmissionkeyer.h"
#include "transmission/transmissiontesting.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {
class TransmissionKeyerTest : public FormTest {
protected:
    TransmissionKeyer keyer{f.signPlayer, h.clock, f.state.timing};
};
} // namespace

TEST_F(TransmissionKeyerTest, OwedWaitsAreSleptLessTheTimeAlreadyGone) {
    keyer.wait(120);
    keyer.wait(240);
    EXPECT_TRUE(h.clock.log.empty());
    h.clock.advance(130.4);
    keyer.settle();
    keyer.settle(); // nothing owed any more
    EXPECT_EQ(h.clock.log, (Log{"sleep 0", "sleep 230"}));
}

TEST_F(TransmissionKeyerTest, ASignSettlesFirstAndOwesItsPause) {
    keyer.wait(50);
    keyer.key('q'); // a small Latin letter has no sign: nothing at all
    EXPECT_TRUE(h.clock.log.empty());
    keyer.key(cp1251Char("А"));
    const Log sign = speakerSign(".-");
    EXPECT_EQ(h.clock.log, Log{"sleep 50"} + Log(sign.begin(), sign.end() - 1)); // pause owed
    keyer.settle();
    EXPECT_EQ(h.clock.log, Log{"sleep 50"} + sign);
}
