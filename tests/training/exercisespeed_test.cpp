#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "training/exercisespeed.h"

using namespace kelvatron;

// PARIS words a minute, five signs a word.
TEST(Speed, DotLengthGivesParisWordsAndFiveSignsAWord) {
    EXPECT_EQ(speedText(speedOfDot(60)), "100 знаков в минуту, 20 WPM");
    EXPECT_EQ(speedText(speedOfDot(48)), "125 знаков в минуту, 25 WPM");
    EXPECT_EQ(speedOfDot(0).wpm, 0) << "no division by zero";
}

// PARIS keyed at dot 60 ms ratio 3: elements 10 dots + 4 dashes = 22 dots, each followed by a
// dot's silence (14), after each of 5 signs a pause of one dash (15), one group pause of two
// dashes (6): 57 dots.
TEST(Speed, ExerciseCountsElementsSignAndGroupPausesAsKeyed) {
    struct Row {
        KeyingPace pace;
        double dots;
    };
    const Row rows[] = {
        {{60, 3, 1, 1}, 57},
        {{60, 3, 1, 3}, 57 + 12},              // group pause of six dashes
        {{60, 4, 1, 1}, 22 + 4 + 14 + 20 + 8}, // dash of four dots
    };
    for (const Row& r : rows) {
        const ExerciseSpeed e = exerciseSpeed("PARIS", r.pace);
        EXPECT_EQ(e.signs, 5);
        EXPECT_DOUBLE_EQ(e.durationMs, r.dots * 60);
        EXPECT_DOUBLE_EQ(e.character.wpm, 20);
        EXPECT_NEAR(e.effective.signsPerMinute, 5 * 60000 / (r.dots * 60), 1e-9);
        EXPECT_NEAR(e.effective.wpm, e.effective.signsPerMinute / 5, 1e-9);
    }
}

TEST(Speed, GroupPausesAndFullStopsAsTheTransmissionKeysThem) {
    const KeyingPace pace{100, 3, 1, 1};
    const double e = exerciseSpeed(toCp1251("Е"), pace).durationMs; // 1 + 1 + 3 + 6 dots
    EXPECT_DOUBLE_EQ(e, 1100);
    EXPECT_DOUBLE_EQ(exerciseSpeed(toCp1251("Е  \r\nЕ"), pace).durationMs, 2 * e)
        << "one pause per run";
    EXPECT_DOUBLE_EQ(exerciseSpeed(toCp1251("Ё«»"), pace).durationMs, 0) << "no sign, no time";
    // Т Ч К between group pauses.
    EXPECT_EQ(exerciseSpeed(toCp1251("Е."), pace).signs, 4);
    EXPECT_EQ(exerciseSpeed("", pace).effective.wpm, 0);
}
