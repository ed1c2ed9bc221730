#include <gtest/gtest.h>

#include "core/random.h"
#include "support/fakeclock.h"

using namespace kelvatron;

// seed := seed * 134775813 + 1 modulo 2^32, result = (seed * range) >> 32; a stored seed must give
// the same exercise again. Values worked out by hand.
TEST(Random, FollowsTheLinearCongruentialSequence) {
    RandSeed = 0;
    EXPECT_EQ(Random(10), 0u);  // seed 1
    EXPECT_EQ(Random(100), 3u); // seed 134775814
    EXPECT_EQ(Random(1u << 31), 3698175007u >> 1);
    EXPECT_EQ(RandSeed, 3698175007u);
}

TEST(Random, StaysBelowTheRangeAndRandomizeTakesTheLow32BitsOfTheCounter) {
    RandSeed = 0xFFFFFFFFu; // the next seed wraps
    for (int i = 0; i < 10000; ++i)
        ASSERT_LT(Random(41), 41u);
    EXPECT_EQ(Random(0), 0u);
    EXPECT_EQ(Random(1), 0u);
    test::FakeClock clock;
    clock.ticks = 0x123456789ABCDEFull;
    Randomize(clock);
    EXPECT_EQ(RandSeed, 0x89ABCDEFu);
}
