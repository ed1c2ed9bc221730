#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "training/receivecheck.h"

namespace kelvatron {

// Draws practice groups from an alphabet, each sign as often as the learner's record says it
// is needed. A sign's weight is a floor plus its smoothed error rate
//     kFloor + (wrong + 1) / (sent + 4),
// so a sign often missed comes often, a sign never yet heard starts at a middling weight (one
// miss in four assumed) and a sign always right keeps the floor and still comes now and then.
class WeakSigns {
public:
    static constexpr double kFloor = 0.05;

    // alphabetCp1251: the active alphabet's signs (kSignTable symbols; repeats and characters
    // that are no sign are ignored). record: sent/wrong counts per sign, e.g. from the history;
    // signs outside the alphabet are ignored.
    WeakSigns(std::string_view alphabetCp1251, const std::vector<SignTally>& record);

    const std::string& alphabet() const { return signs_; }
    double weight(char sign) const; // 0 for a sign outside the alphabet

    // Up to count signs with at least one error on record, highest smoothed error rate first
    // (so 1 wrong of 1 does not outrank 40 of 50), alphabet order among equals.
    std::string weakest(int count = 5) const;

    // `random(n)` returns 0 .. n-1; the program's Random by default, so seeding RandSeed makes a
    // draw repeatable. Groups are separated by single spaces.
    using Generator = std::function<uint32_t(uint32_t)>;
    std::string drawGroup(int size, const Generator& random) const;
    std::string drawGroups(int groups, int size, const Generator& random) const;
    std::string drawGroups(int groups, int size) const;

private:
    std::string signs_;
    std::vector<double> weights_;
    std::vector<double> errorRates_;   // smoothed; -1 when never wrong
    std::vector<uint32_t> cumulative_; // weights in thousandths, running total
};

} // namespace kelvatron
