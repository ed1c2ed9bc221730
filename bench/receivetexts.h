#pragma once
// Receive exercises of 20,000 signs and copies of them, for the check's and the result view's
// benchmarks.
#include <random>
#include <string>
#include <utility>

#include "keying/signtable.h"

namespace kelvatron::bench {

constexpr int kGroups = 200, kGroupSize = 100;

inline char anySign(std::mt19937& rng) {
    return kSignTable[std::uniform_int_distribution<int>(0, kSignCount - 2)(rng)].symbol;
}

inline std::string exercise(std::mt19937& rng, int groups, int size) {
    std::string text;
    for (int g = 0; g < groups; ++g) {
        for (int k = 0; k < size; ++k)
            text += anySign(rng);
        text += "  ";
    }
    return text;
}

// Each sign of the copy wrong with probability rate: substituted, left out or doubled.
inline std::string withErrors(const std::string& sent, double rate, std::mt19937& rng) {
    std::uniform_real_distribution<double> chance(0, 1);
    std::string typed;
    for (char c : sent) {
        if (c == ' ' || chance(rng) >= rate) {
            typed += c;
            continue;
        }
        const int kind = std::uniform_int_distribution<int>(0, 2)(rng);
        if (kind == 0) typed += anySign(rng);
        if (kind == 2) typed += std::string{c, anySign(rng)};
    }
    return typed;
}

inline std::pair<std::string, std::string> texts(int which, int groupSize) {
    std::mt19937 rng(7);
    const int groups = kGroups * kGroupSize / groupSize;
    const std::string sent = exercise(rng, groups, groupSize);
    switch (which) {
    case 0:
        return {sent, sent};
    case 1:
        return {sent, withErrors(sent, 0.05, rng)};
    case 2:
        return {sent,
                sent.substr(0, sent.size() / 2) + sent.substr(sent.size() / 2 + groupSize + 2)};
    case 3:
        return {sent, sent + sent + exercise(rng, groups / 2, groupSize)};
    default:
        return {sent, exercise(rng, groups * 3 / 2, groupSize)};
    }
}

inline const char* const kNames[] = {"perfect", "errors5pct", "missedGroup", "answer2.5x",
                                     "unrelated1.5x"};

} // namespace kelvatron::bench
