// The sound thread's mixing: a block of 512 stereo frames of the timeline at 48 kHz, as an output
// asks for it, while a placed tone sounds, while the hand's live tone sounds over it, and while
// nothing sounds. The cost per block is what the sound thread spends of its 10.7 ms.
#include <benchmark/benchmark.h>

#include <vector>

#include "audio/airchain.h"
#include "audio/tonetimeline.h"

using namespace kelvatron;

namespace {

constexpr int kBlock = 512;

// A tone of 0.1 s, looped: it keeps sounding for as many blocks as the benchmark asks.
ToneSamples squareTone() {
    ToneSamples tone(4800);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = (i / 30) % 2 ? 0.5f : -0.5f;
    return tone;
}

// Mixes one block after another for as long as the benchmark runs.
void mixBlocks(benchmark::State& state, ToneTimeline& timeline) {
    std::vector<float> out(2 * kBlock);
    int64_t at = 0;
    for (auto _ : state) {
        timeline.mix(out.data(), kBlock, at);
        at += kBlock;
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kBlock);
}

void BM_MixBlock(benchmark::State& state) {
    const bool placed = state.range(0) != 0;
    const bool live = state.range(1) != 0;
    ToneTimeline timeline(48000);
    const ToneSamples tone = squareTone();
    if (placed) timeline.add(TimelineEvent::start(0, &tone, true));
    if (live) timeline.add(TimelineEvent::keyDown(700, static_cast<TTGWave>(state.range(2))));
    mixBlocks(state, timeline);
}

BENCHMARK(BM_MixBlock)
    ->ArgNames({"placed", "live", "wave"})
    ->Args({0, 0, 0})
    ->Args({1, 0, 0})
    ->Args({0, 1, 0})
    ->Args({1, 1, 0})
    ->Args({0, 1, 2})
    ->Unit(benchmark::kMicrosecond);

// The same with every condition of the air on (noise at 0 dB, a 500 Hz filter, fading at 1 Hz,
// five other stations, crashes at 100 %) on the placed tones: core_pct is the share of one core
// the sound thread spends while playing.
void BM_MixBlockWithAir(benchmark::State& state) {
    AirConditions air;
    air.on = air.noise = true;
    air.snrDb = 0, air.qsbHz = 1, air.qrmStations = 5, air.qrnPercent = 100, air.toneHz = 800;
    ToneTimeline timeline(48000);
    const ToneSamples tone = squareTone();
    const auto chain = makeAirChain(air, 48000, 1); // the timeline hands chains back, never frees them
    timeline.add(TimelineEvent::swapChain(0, chain.get()));
    timeline.add(TimelineEvent::start(0, &tone, true));
    mixBlocks(state, timeline);
    state.counters["core_pct"] =
        benchmark::Counter(double(state.iterations()) * kBlock / 48000 / 100,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_MixBlockWithAir)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
