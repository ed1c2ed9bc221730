#include <gtest/gtest.h>

#include "core/random.h"
#include "support/fakeclock.h"

using namespace kelvatron;

// Values worked out by hand from seed := seed * 134775813 + 1 and result = (seed * range) >> 32.
TEST(Random, FollowsTheLinearCongruentialSequence) {
    RandSeed = 0;
    EXPECT_EQ(Random(10), 0u); // seed 1: 10 >> 32 = 0
    EXPECT_EQ(RandSeed, 1u);
    EXPECT_EQ(Random(100), 3u); // seed 134775814: 13477581400 >> 32 = 3
    EXPECT_EQ(RandSeed, 134775814u);
    // seed 134775814 * 134775813 + 1 mod 2^32 = 3698175007
    EXPECT_EQ(Random(1u << 31), 3698175007u >> 1);
    EXPECT_EQ(RandSeed, 3698175007u);
}

TEST(Random, WrapsModulo2To32AndStaysBelowRange) {
    RandSeed = 0xFFFFFFFFu;
    EXPECT_EQ(Random(156), static_cast<uint32_t>((uint64_t(0xFFFFFFFFu * 134775813u + 1u) * 156) >> 32));
    for (int i = 0; i < 10000; ++i) EXPECT_LT(Random(41), 41u);
    EXPECT_EQ(Random(0), 0u);
    EXPECT_EQ(Random(1), 0u);
}

TEST(Random, RandomizeTakesTheLow32BitsOfTheCounter) {
    test::FakeClock clock;
    clock.ticks = 0x123456789ABCDEFull;
    Randomize(clock);
    EXPECT_EQ(RandSeed, 0x89ABCDEFu);
}
