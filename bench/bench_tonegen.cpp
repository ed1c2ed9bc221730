// Building one 100 ms tone, as the sign player asks for every dot and dash: each waveform, with
// and without the envelope, 8-bit (the program's format) and 16-bit.
#include <benchmark/benchmark.h>

#include "tonegen/tonegen.h"

using namespace kelvatron;

namespace {

class SilentDevice : public SoundDevice {
public:
    void playSound(std::span<const uint8_t>, uint32_t) override {}
    void stopSound() override {}
    bool hasLeftRightVolume() override { return true; }
    uint32_t getVolume() override { return 0; }
    void setVolume(uint32_t) override {}
    void keyDown(int32_t, TTGWave) override {}
    void keyUp() override {}
};

void BM_BuildTone(benchmark::State& state) {
    SilentDevice device;
    TToneGen gen(device);
    gen.setWaveform(static_cast<TTGWave>(state.range(0)));
    const bool envelope = state.range(1) != 0;
    gen.setResolution(state.range(2) == 8 ? TTGResolution::tg8Bit : TTGResolution::tg16Bit);
    gen.setQuality(TTGQuality::tgHiQ);
    gen.setFrequency(800);
    gen.setDuration(100);
    for (auto _ : state) {
        const bool built = envelope ? gen.prepareAdsr() : gen.prepare();
        benchmark::DoNotOptimize(built);
        benchmark::DoNotOptimize(gen.waveImage().data());
    }
    state.SetItemsProcessed(state.iterations() * 9600);
}

BENCHMARK(BM_BuildTone)
    ->ArgNames({"wave", "envelope", "bits"})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}, {8, 16}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
