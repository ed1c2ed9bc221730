// A lesson keys only the signs learned so far, the new one about a third of the time, for the
// lesson's minutes; 90 % right passes it.
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/random.h"
#include "training/coursemode.h"
#include "training/lessondraw.h"
#include "training/receivecheck.h"

using namespace kelvatron;

TEST(CourseMode, ALessonDrawsOnlyLearnedSignsTheNewOneAboutAThirdOfTheTime) {
    const LessonOrder order(toCp1251("КМРСУАПТЛЙИНО1ФЕВДЫ7ЖХГШЯ2БЗЧ5Ц0ЮЩ9?Ь34Э/8-6,"));
    const CourseSettings settings; // groups of five for a minute
    const KeyingPace pace{60, 3, 1, 1};
    const CourseMode mode(
        order, [] { return 1; }, [&] { return pace; }, settings);
    struct Row {
        int lesson;
        double newShare; // of the signs keyed
    } rows[] = {{1, 0.5}, {2, 0.33}, {10, 0.33}, {44, 0.33}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.lesson);
        uint32_t seed = 11;
        const ExercisePlan plan =
            mode.plan(row.lesson, [&](uint32_t n) { return Random(seed, n); });
        const std::string learned = order.learnedBy(row.lesson);
        const char newSign = order.newSign(row.lesson);
        int signs = 0, fresh = 0;
        for (char c : plan.text) {
            if (c == ' ') continue;
            ++signs;
            fresh += c == newSign;
            ASSERT_NE(learned.find(c), std::string::npos) << fromCp1251(std::string(1, c));
        }
        EXPECT_NEAR(double(fresh) / signs, row.newShare, 0.1);
        // A minute at the pace, not a group more.
        EXPECT_GE(exerciseSpeed(plan.text, pace).durationMs, 60000);
        EXPECT_LT(exerciseSpeed(plan.text.substr(0, plan.text.rfind(' ')), pace).durationMs, 60000);
        EXPECT_EQ(plan.source, "курс, урок " + std::to_string(row.lesson));
    }
}

TEST(CourseMode, NinetyPercentRightPassesALesson) {
    struct Row {
        const char* sent;
        const char* typed;
        double pass;
        bool passed;
    } rows[] = {
        {"КМКМК КМКМК", "КМКМК КМКМК", 90, true},
        {"КМКМК КМКМК", "КМКМК КМКММ", 90, true},  // 9 of 10
        {"КМКМК КМКМК", "КМКМК КМКМ", 90, true},   // one missed
        {"КМКМК КМКМК", "КММММ КМКМК", 90, false}, // 8 of 10
        {"КМКМК КМКМК", "КММММ КМКМК", 80, true},
        {"КМКМК КМКМК", "", 90, false},
        {"", "", 90, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.sent) + " / " + row.typed);
        const ReceiveCheck check = checkReceived(toCp1251(row.sent), toCp1251(row.typed));
        EXPECT_EQ(lessonPassed(check, row.pass), row.passed);
    }
}
