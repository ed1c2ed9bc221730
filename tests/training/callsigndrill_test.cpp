// The callsign drill: how the speed follows the learner, what a call scores, how a copy typed
// with either layout reads, and the best runs kept.
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "training/callsignbestruns.h"
#include "training/callsigndrill.h"
#include "training/callsignmode.h"

#include <set>

using namespace kelvatron;

namespace {

// Answers the current call right ('+'), wrong ('-') or right after a repeat ('r'), and notes the
// speed each call was keyed at.
std::vector<int> speedsOf(CallsignDrill& drill, std::string_view answers) {
    std::vector<int> cpm;
    for (char a : answers) {
        cpm.push_back(drill.cpm());
        if (a == 'r') drill.noteRepeat();
        drill.answer(a == '-' ? "?" : drill.call());
    }
    return cpm;
}

} // namespace

TEST(CallsignDrill, TheSpeedStepsUpOnARightCallAndDownOnAWrongOneWithinTheKeyingsRange) {
    struct Row {
        int start, step;
        const char* answers;
        std::vector<int> cpm;
    };
    const Row rows[] = {
        {100, 10, "++-+", {100, 110, 120, 110}},
        {70, 10, "---+", {70, 60, 60, 60}},      // never below the slowest dot
        {590, 25, "+++-", {590, 600, 600, 600}}, // never above the fastest
        {30, 10, "+", {60}},                     // a start out of range is brought into it
    };
    for (const Row& row : rows) {
        CallsignDrill drill({.calls = 10, .startCpm = row.start, .stepCpm = row.step}, 1);
        EXPECT_EQ(speedsOf(drill, row.answers), row.cpm) << row.answers;
    }
}

// signs × cpm / 10, halved after a repeat, nothing for any error; the run adds them up and keeps
// the fastest right call.
TEST(CallsignDrill, ACallScoresItsLengthTimesItsSpeedAndNothingWithAnError) {
    struct Row {
        const char* call;
        int cpm;
        bool repeated;
        int points;
    };
    const Row rows[] = {
        {"UA3ABC", 100, false, 60},    {"UA3ABC", 100, true, 30}, {"K1A", 250, false, 75},
        {"DL/RW1AB/P", 60, false, 60}, {"R9X", 85, true, 12},
    };
    for (const Row& row : rows)
        EXPECT_EQ(callsignPoints(row.call, row.cpm, row.repeated), row.points) << row.call;

    CallsignDrill drill({.calls = 4, .startCpm = 100, .stepCpm = 10}, 5);
    int expected = 0;
    std::vector<std::string> calls;
    for (char a : std::string_view("+r-+")) {
        calls.push_back(drill.call());
        if (a != '-') expected += callsignPoints(drill.call(), drill.cpm(), a == 'r');
        if (a == 'r') drill.noteRepeat();
        const CallsignAttempt& at = drill.answer(a == '-' ? drill.call().substr(1) : drill.call());
        EXPECT_EQ(at.right, a != '-');
    }
    EXPECT_TRUE(drill.finished());
    EXPECT_EQ(drill.score(), expected);
    EXPECT_EQ(drill.right(), 3);
    EXPECT_EQ(drill.topCpm(), 110); // 100 right, 110 right, 120 wrong, 110 right
    EXPECT_EQ(drill.attempts()[2].points, 0);
    std::set<std::string> distinct(calls.begin(), calls.end());
    EXPECT_EQ(distinct.size(), calls.size());
    // The history checks the run sign by sign: one sign of the third call was missed.
    const ReceiveCheck check =
        checkReceived(CallsignMode::sentText(drill), CallsignMode::typedText(drill));
    EXPECT_EQ(check.errors(), 1);
}

// Typed in Cyrillic, a call reads as the Latin letters keyed with the same signs, as a receive
// check reads them.
TEST(CallsignDrill, ACopyReadsInTheCallsLettersWhicheverLayoutTypedIt) {
    const std::pair<const char*, const char*> rows[] = {
        {"ua3abc", "UA3ABC"},       {"УА3АБЦ", "UA3ABC"}, {"уа3абц/п", "UA3ABC/P"},
        {"DL / RW1AB", "DL/RW1AB"}, {"ЩЬЫЖЙ", "QXYVJ"},   {"ЯЮ1", "ЯЮ1"},
    };
    for (const auto& [typed, read] : rows)
        EXPECT_EQ(normalizedCopy(typed), toCp1251(read)) << typed;
}

TEST(CallsignBestRuns, KeepsTheFiveBestAndReadsBackWhatItWrote) {
    std::vector<CallsignRun> best;
    // score, its place among the runs so far
    const std::pair<int, int> rows[] = {{300, 0}, {100, 1}, {500, 0}, {100, 3},
                                        {200, 2}, {400, 1}, {50, -1}, {100, -1}};
    for (const auto& [score, place] : rows) {
        int at = -2;
        best = withRun(best, {score, score / 2, 40, 50, "2026-12-07"}, &at);
        EXPECT_EQ(at, place) << score;
    }
    std::string scores;
    for (const CallsignRun& r : best)
        scores += std::to_string(r.score) + " ";
    EXPECT_EQ(scores, "500 400 300 200 100 ");
    const std::string text = bestRunsText(best);
    EXPECT_EQ(bestRunsText(parseBestRuns(text)), text);
    EXPECT_EQ(parseBestRuns("junk;10 100 3 2 2026-01-01;20 90 1 2 2026-01-02").size(), 1u);
}
