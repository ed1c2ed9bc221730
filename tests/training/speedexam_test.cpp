// The speed test: a block passes with at most five errors, the next is a step faster, the first
// block that fails ends it, and the result is the highest speed passed.
#include <gtest/gtest.h>

#include <vector>

#include "training/receivecheck.h"
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
    SpeedExam settable(SpeedExamSettings{.startSignsPerMinute = 100, .stepSignsPerMinute = 20,
                                         .maxErrors = 2});
    EXPECT_EQ(settable.blockDotMs(), 60);
    settable.blockChecked(withErrors(2));
    EXPECT_EQ(settable.blockSignsPerMinute(), 120);
    settable.blockChecked(withErrors(3));
    EXPECT_EQ(settable.result(), 100);
    SpeedExam empty(SpeedExamSettings{});
    empty.blockChecked(withErrors(0, 0));
    EXPECT_TRUE(empty.finished());
}
