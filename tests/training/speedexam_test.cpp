// The speed test: a block passes with at most five errors, the next is a step faster, the first
// block that fails ends it, and the result is the highest speed passed.
#include <gtest/gtest.h>

#include <vector>

#include "training/receivecheck.h"
#include "training/sendingtiming.h"
#include "training/speedexam.h"

using namespace kelvatron;

namespace {

ReceiveCheck withErrors(int errors, int sent = 100) {
    ReceiveCheck check;
    check.signsSent = sent;
    check.substituted = errors;
    return check;
}

} // namespace

TEST(SpeedExam, BlocksRiseUntilOneFailsAndTheHighestPassedIsTheResult) {
    struct Row {
        const char* name;
        std::vector<int> errors; // per block, as checked
        std::optional<int> result;
        int blocksKeyed;
    } rows[] = {
        {"the first block fails", {6}, std::nullopt, 1},
        {"five errors still pass", {5, 0, 6}, 70, 3},
        {"the test ends at the first failure", {0, 9, 0}, 60, 2},
        {"runs to the speed bar's shortest dot", std::vector<int>(60, 0), 600, 55},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SpeedExam exam(SpeedExamSettings{});
        int keyed = 0;
        for (int errors : row.errors) {
            if (exam.finished()) break;
            ++keyed;
            exam.blockChecked(withErrors(errors));
        }
        EXPECT_TRUE(exam.finished());
        EXPECT_EQ(exam.result(), row.result);
        EXPECT_EQ(keyed, row.blocksKeyed);
    }
    SpeedExam settable(
        SpeedExamSettings{.startSignsPerMinute = 100, .stepSignsPerMinute = 20, .maxErrors = 2});
    EXPECT_EQ(settable.blockDotMs(), 60);
    settable.blockChecked(withErrors(2));
    EXPECT_EQ(settable.blockSignsPerMinute(), 120);
    settable.blockChecked(withErrors(3));
    EXPECT_EQ(settable.result(), 100);
    SpeedExam empty(SpeedExamSettings{});
    empty.blockChecked(withErrors(0, 0));
    EXPECT_TRUE(empty.finished());
}

// The history keeps the whole test as one row: every block's signs and errors, and the speed
// passed as char_wpm, 0 when the first block failed; the best is the highest passed per source.
TEST(SpeedExam, TheTestIsOneRowAndTheBestIsTheHighestSpeedPassedPerSource) {
    SpeedExam exam(SpeedExamSettings{});
    for (int errors : {0, 3, 9})
        exam.blockChecked(withErrors(errors, 50), 60000);
    const SessionRecord r = exam.record(examSource(false, ExamText::Digits), "0123456789");
    EXPECT_EQ(std::tuple(r.kind, r.source, r.dotMs, r.signs, r.errors, r.charWpm, r.durationS),
              std::tuple(std::string("exam"), std::string("зачёт, приём: цифры"), 85, 150, 12, 14.0,
                         180.0));
    SpeedExam failed(SpeedExamSettings{});
    failed.blockChecked(withErrors(6), 60000);
    EXPECT_EQ(failed.record("x", "").charWpm, 0);

    auto row = [](const char* kind, const std::string& source, double wpm) {
        SessionRecord s;
        s.kind = kind, s.source = source, s.charWpm = wpm;
        return s;
    };
    const std::string digits = examSource(false, ExamText::Digits);
    const std::vector<SessionRecord> sessions = {
        row("exam", digits, 14), row("exam", digits, 18), row("exam", digits, 0),
        row("receive", digits, 30), row("exam", examSource(true, ExamText::Digits), 25)};
    EXPECT_EQ(bestExamSpeed(sessions, digits), 90);
    EXPECT_EQ(bestExamSpeed(sessions, examSource(false, ExamText::Mixed)), std::nullopt);
}

// A block is groups of five of the test's signs only, a minute long at the block's pace and no
// more than one group over it.
TEST(SpeedExam, ABlockIsAMinuteOfGroupsOfFiveOfItsSigns) {
    uint32_t state = 7;
    auto random = [&](uint32_t n) { return (state = state * 1103515245 + 12345) / 65536 % n; };
    const KeyingPace pace{.dotMs = 100};
    for (ExamText text : {ExamText::Digits, ExamText::Letters, ExamText::Mixed}) {
        const std::string signs = examSigns(text, false);
        EXPECT_EQ(signs.size(), text == ExamText::Digits    ? 10u
                                : text == ExamText::Letters ? 31u
                                                            : 41u);
        const std::string block = drawExamGroups(signs, 60000, pace, random);
        EXPECT_GE(exerciseSpeed(block, pace).durationMs, 60000);
        EXPECT_LT(exerciseSpeed(block.substr(0, block.size() - 6), pace).durationMs, 60000);
        for (size_t i = 0; i < block.size(); ++i)
            EXPECT_TRUE(i % 6 == 5 ? block[i] == ' ' : signs.find(block[i]) != std::string::npos);
    }
}

// The rhythm figure is 100 less the mean deviation in per cent, over what was measured; the
// sending test needs both the errors and the rhythm.
TEST(SpeedExam, TheRhythmIsTheMeanDeviationsComplementAndTheSendingTestNeedsBoth) {
    SendingTimingSummary exact;
    exact.dotSpread = exact.dashSpread = 0;
    exact.dashDotRatio = 3;
    exact.elementSpacing = exact.signSpacing = exact.wordSpacing = 1;
    exact.elementSpacingSpread = exact.signSpacingSpread = exact.wordSpacingSpread = 0;
    EXPECT_DOUBLE_EQ(rhythmPercent(exact, 3), 100);
    SendingTimingSummary uneven = exact;
    uneven.dotSpread = 0.2;        // 0.2
    uneven.dashDotRatio = 2.4;     // |2.4 / 3 - 1| = 0.2
    uneven.signSpacing = 1.5;      // 0.5
    uneven.wordSpacingSpread = -1; // not measured: left out
    EXPECT_DOUBLE_EQ(rhythmPercent(uneven, 3), 100 * (1 - 0.9 / 8));
    EXPECT_EQ(rhythmPercent(SendingTimingSummary{}, 3), 0);
    struct Row {
        int errors;
        double rhythm;
        bool passed;
    } rows[] = {{5, 75, true}, {6, 99, false}, {0, 74.9, false}};
    for (const Row& row : rows)
        EXPECT_EQ(sendingExamPassed(row.errors, row.rhythm, 5), row.passed) << row.errors;
}
