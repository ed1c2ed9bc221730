// Checking a 200 × 100 receive exercise (20,000 signs) against the learner's copy: a perfect
// copy, 5 % random errors, a whole group missed, a copy much longer than the text, and a copy
// that has nothing to do with the text. Peak memory of one check is printed by
// `bench_receivecheck --peak <case>` (run under /usr/bin/time -v for the process's peak).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <random>
#include <string>

#include "keying/signtable.h"
#include "training/receivecheck.h"

using namespace kelvatron;

namespace {

constexpr int kGroups = 200, kGroupSize = 100;

char anySign(std::mt19937& rng) {
    return SignTable[std::uniform_int_distribution<int>(0, kSignCount - 2)(rng)].Symbol;
}

std::string exercise(std::mt19937& rng, int groups, int size) {
    std::string text;
    for (int g = 0; g < groups; ++g) {
        for (int k = 0; k < size; ++k)
            text += anySign(rng);
        text += "  ";
    }
    return text;
}

// Each sign of the copy wrong with probability rate: substituted, left out or doubled.
std::string withErrors(const std::string& sent, double rate, std::mt19937& rng) {
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

std::pair<std::string, std::string> texts(int which, int groupSize) {
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

const char* const kNames[] = {"perfect", "errors5pct", "missedGroup", "answer2.5x",
                              "unrelated1.5x"};

void BM_CheckReceived(benchmark::State& state) {
    const auto [sent, typed] = texts(int(state.range(0)), int(state.range(1)));
    state.SetLabel(kNames[state.range(0)]);
    int errors = 0;
    for (auto _ : state) {
        const ReceiveCheck check = checkReceived(sent, typed);
        errors = check.errors();
        benchmark::DoNotOptimize(check.steps.data());
    }
    state.counters["errors"] = errors;
    state.SetItemsProcessed(state.iterations() * kGroups * kGroupSize);
}

BENCHMARK(BM_CheckReceived)
    ->ArgNames({"case", "groupSize"})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {5, 100}})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--peak") == 0) {
        const auto [sent, typed] = texts(std::atoi(argv[2]), std::atoi(argv[3]));
        const size_t before = mallinfo2().uordblks;
        const ReceiveCheck check = checkReceived(sent, typed);
        std::printf("%s: %d signs, %d errors, %zu KB in use after\n", kNames[std::atoi(argv[2])],
                    check.signsSent, check.errors(), (mallinfo2().uordblks - before) / 1024);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
}
