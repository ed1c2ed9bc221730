#include "audio/cyclechoice.h"

#include <gtest/gtest.h>

using kelvatron::CycleChoice;

// A cycle is late once the server's next one is due at its start: a whole cycle late.
TEST(CycleChoice, ALateCycleIsAWholeCycleLate) {
    struct Row {
        double sinceLastMs;
        uint32_t lastFrames;
        bool late;
    } rows[] = {
        {2.67, 128, false}, // on time
        {3.60, 128, false}, // an idle processor's wake
        {5.34, 128, true},  // the next cycle is due at once
        {8.00, 128, true},
        {8.00, 256, false}, // the steady cycle rides it out
        {10.7, 256, true},
        {50.0, 0, false},   // the stream's first cycle
    };
    for (const auto& row : rows)
        EXPECT_EQ(CycleChoice::lateCycle(row.sinceLastMs, row.lastFrames, 48000), row.late)
            << row.sinceLastMs << " ms after a cycle of " << row.lastFrames;
}

// A late cycle asks for the steady size at once; it keeps it while late cycles go on and
// gives it back after a quiet spell.
TEST(CycleChoice, StaysSteadyUntilTheCyclesHaveKeptTimeForAWhile) {
    CycleChoice choice({128, 256, 30000});
    EXPECT_EQ(choice.choose(0, 1000), 128u);
    EXPECT_EQ(choice.choose(1, 1200), 256u);
    EXPECT_EQ(choice.choose(1, 20000), 256u);
    EXPECT_EQ(choice.choose(3, 25000), 256u); // late again: the quiet spell starts over
    EXPECT_EQ(choice.choose(3, 54000), 256u);
    EXPECT_EQ(choice.choose(3, 55000), 128u);
    EXPECT_EQ(choice.choose(3, 90000), 128u);
    EXPECT_EQ(choice.choose(4, 90200), 256u);
}
