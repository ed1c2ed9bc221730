// The alignment against the full edit-distance table: it must find the least distance for any
// copy a learner makes, and fill a bounded table for an answer unrelated to the text.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "training/signalignment.h"

using namespace kelvatron;

namespace {

std::vector<int> randomSigns(std::mt19937& rng, int count, int alphabet = 41) {
    std::uniform_int_distribution<int> sign(0, alphabet - 1);
    std::vector<int> out(count);
    for (int& s : out)
        s = sign(rng);
    return out;
}

// Every sent and every typed sign exactly once, in order; the cost counts the steps that are
// not matches.
int checkedCost(const std::vector<AlignStep>& steps, size_t sent, size_t typed) {
    int nextSent = 0, nextTyped = 0, cost = 0;
    for (const AlignStep& s : steps) {
        if (s.sent >= 0) {
            EXPECT_EQ(s.sent, nextSent++);
        }
        if (s.typed >= 0) {
            EXPECT_EQ(s.typed, nextTyped++);
        }
        cost += s.op != AlignOp::Match;
    }
    EXPECT_EQ(size_t(nextSent), sent);
    EXPECT_EQ(size_t(nextTyped), typed);
    return cost;
}

// The least edit distance over the whole table, two rows at a time.
int fullDistance(const std::vector<int>& a, const std::vector<int>& b) {
    std::vector<int> prev(b.size() + 1), cur(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        prev[j] = int(j);
    for (size_t i = 1; i <= a.size(); ++i) {
        cur[0] = int(i);
        for (size_t j = 1; j <= b.size(); ++j)
            cur[j] = std::min({prev[j - 1] + (a[i - 1] != b[j - 1]), prev[j] + 1, cur[j - 1] + 1});
        std::swap(prev, cur);
    }
    return prev[b.size()];
}

// A copy as a learner makes one, at an error level of its own: most signs right, some taken for
// another sign, some missed, now and then a run of extra signs (a group typed twice, guesses) or
// a stretch of a few groups lost while the attention wandered. Runs and stretches of 9 to 30
// signs take the cheapest path beyond the alignment's first bands, where its proof is tested.
std::vector<int> learnerCopy(std::mt19937& rng, const std::vector<int>& sent, int alphabet) {
    std::uniform_real_distribution<double> chance(0, 1);
    std::uniform_int_distribution<int> sign(0, alphabet - 1), run(1, 20), stretch(9, 30);
    const double level = chance(rng) * 0.15;
    std::vector<int> typed;
    for (size_t i = 0; i < sent.size(); ++i) {
        const double u = chance(rng) / level; // below 1 for an error
        if (u < 0.2) {
            i += stretch(rng);
            continue;
        }
        if (u < 0.45)
            for (int k = run(rng); k > 0; --k)
                typed.push_back(sign(rng));
        if (u < 0.55) continue;
        typed.push_back(u < 1 ? sign(rng) : sent[i]);
    }
    return typed;
}

// Four thousand copies of texts of up to 100 signs, digits or the whole sign set: the
// alignment's cost is the least edit distance for every one.
TEST(AlignmentWork, EveryLearnerCopyIsAlignedAtTheLeastEditDistance) {
    std::mt19937 rng(19);
    std::uniform_int_distribution<int> length(1, 100);
    int above = 0;
    for (int copy = 0; copy < 4000; ++copy) {
        const int alphabet = copy % 2 ? 10 : 41;
        const std::vector<int> sent = randomSigns(rng, length(rng), alphabet);
        const std::vector<int> typed = learnerCopy(rng, sent, alphabet);
        const int cost = checkedCost(alignSequences(sent, typed), sent.size(), typed.size());
        above += cost != fullDistance(sent, typed);
    }
    EXPECT_EQ(above, 0) << "copies not aligned at the least edit distance";
}

// 20,000 signs sent; 30,000 or 20,000 typed that have nothing to do with them. The full table
// would be 400 to 600 million cells.
TEST(AlignmentWork, AnUnrelatedAnswerFillsABoundedTable) {
    std::mt19937 rng(11);
    const std::vector<int> sent = randomSigns(rng, 20000);
    for (int typedCount : {30000, 20000}) {
        SCOPED_TRACE(typedCount);
        const std::vector<int> typed = randomSigns(rng, typedCount);
        size_t cells = 0;
        const auto steps = alignSequences(sent, typed, &cells);
        EXPECT_LE(cells, size_t(64) << 20);
        checkedCost(steps, sent.size(), typed.size());
    }
}

// A copy with scattered errors and a run of 150 signs missed near its start (no anchor to
// guide it) is still aligned at the least edit distance.
TEST(AlignmentWork, ACopyWithErrorsIsAlignedExactly) {
    std::mt19937 rng(5);
    const std::vector<int> sent = randomSigns(rng, 4000);
    std::vector<int> typed;
    std::uniform_int_distribution<int> chance(0, 99);
    for (size_t i = 0; i < sent.size(); ++i) {
        if (i >= 200 && i < 350) continue;
        const int roll = chance(rng);
        if (roll == 0) continue;                                   // missed
        typed.push_back(roll == 1 ? (sent[i] + 1) % 41 : sent[i]); // substituted
        if (roll == 2) typed.push_back(7);                         // extra
    }
    const auto steps = alignSequences(sent, typed);
    EXPECT_EQ(checkedCost(steps, sent.size(), typed.size()), fullDistance(sent, typed));
}

} // namespace
