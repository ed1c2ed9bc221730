// Checking a 200 × 100 receive exercise (20,000 signs) against the learner's copy: a perfect
// copy, 5 % random errors, a whole group missed, a copy much longer than the text, and a copy
// that has nothing to do with the text. Peak memory of one check is printed by
// `bench_receivecheck --peak <case>` (run under /usr/bin/time -v for the process's peak).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <string>

#include "receivetexts.h"
#include "training/receivecheck.h"

using namespace kelvatron;
using namespace kelvatron::bench;

namespace {

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
