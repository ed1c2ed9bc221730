// The sound thread's mixing: a block of 512 stereo frames of the timeline at 48 kHz, as an output
// asks for it, while a placed tone sounds, while the hand's live tone sounds over it, and while
// nothing sounds. The cost per block is what the sound thread spends of its 10.7 ms.
#include <benchmark/benchmark.h>

#include <vector>

#include "audio/tonetimeline.h"

using namespace kelvatron;

namespace {

constexpr int kBlock = 512;

void BM_MixBlock(benchmark::State& state) {
    const bool placed = state.range(0) != 0;
    const bool live = state.range(1) != 0;
    ToneTimeline timeline(48000);
    // A looped tone keeps sounding for as many blocks as the benchmark asks.
    ToneSamples tone(4800);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = (i / 30) % 2 ? 0.5f : -0.5f;
    if (placed) timeline.add(TimelineEvent::start(0, &tone, true));
    if (live) timeline.add(TimelineEvent::keyDown(700, static_cast<TTGWave>(state.range(2))));
    std::vector<float> out(2 * kBlock);
    int64_t at = 0;
    for (auto _ : state) {
        timeline.mix(out.data(), kBlock, at);
        at += kBlock;
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kBlock);
}

BENCHMARK(BM_MixBlock)
    ->ArgNames({"placed", "live", "wave"})
    ->Args({0, 0, 0})
    ->Args({1, 0, 0})
    ->Args({0, 1, 0})
    ->Args({1, 1, 0})
    ->Args({0, 1, 2})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
