// Rendering an exercise to an audio file: how many times faster than real time, and how large a
// file each format makes. The tone generator keys random signs as the sign player does (the
// sound card's dot is one speed unit; a dot's silence after each element, then the sign pause),
// groups of five with the group pause between them, at 800 Hz.
#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "audio/airchain.h"
#include "core/random.h"
#include "keying/signtable.h"
#include "render/exportrenderer.h"
#include "render/rendersession.h"

using namespace kelvatron;

namespace {

constexpr const char* kExtensions[] = {".wav", ".flac", ".ogg", ".opus", ".mp3"};

// Dot 60 ms, ratio 3, sign pause one dash, group pause one pair of dashes.
void keyGroups(SampleTimeline& timeline, double minutes) {
    const int dot = 60, dash = 3 * dot, signPause = dash, groupPause = 2 * dash;
    TToneGen& gen = timeline.toneGen();
    Clock& clock = timeline.clock();
    randomState() = 12345; // the state this thread draws from: a session's own, or the program's
    while (clock.now() < minutes * 60000) {
        for (int s = 0; s < 5; ++s) {
            const SignRecord& sign = kSignTable[Random(kSignCount)];
            for (char element : sign.code) {
                gen.setFrequency(800);
                gen.setWaveform(TTGWave::tgSine);
                gen.setDuration(static_cast<int16_t>(element == '.' ? dot : dash));
                gen.play();
                clock.sleep(dot);
            }
            clock.sleep(signPause);
        }
        clock.sleep(groupPause);
    }
}

void BM_RenderToFile(benchmark::State& state) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("kelvatron-bench" + std::string(kExtensions[state.range(0)])))
                                 .string();
    const double minutes = static_cast<double>(state.range(1));
    double seconds = 0;
    for (auto _ : state) {
        RenderSession session(path, {TTGQuality::tgHiQ, TTGResolution::tg8Bit});
        keyGroups(session.timeline(), minutes);
        seconds = session.keyedMs() / 1000;
        if (!session.finish()) state.SkipWithError(session.error().c_str());
    }
    state.counters["x_real_time"] = benchmark::Counter(
        seconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["file_kB"] = static_cast<double>(std::filesystem::file_size(path)) / 1000;
    std::filesystem::remove(path);
}

// Without a file: the timeline alone into a sink that drops the samples.
void BM_RenderTimelineOnly(benchmark::State& state) {
    class DropSink : public SampleSink {
        void write(std::span<const int16_t>) override {}
    } sink;
    for (auto _ : state) {
        SampleTimeline timeline(sink);
        keyGroups(timeline, 10);
        benchmark::DoNotOptimize(timeline.finish());
    }
    state.counters["x_real_time"] = benchmark::Counter(
        600.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The whole transmission path, as an export keys it: the opening, random digit groups of five
// through the transmission and the sign player on the virtual clock, the closing. Dot 60 ms,
// ratio 3, pauses 1; 102 groups last about ten minutes, 10 about one. With air, every condition
// of the air is on (noise at 0 dB, a 500 Hz filter, fading at 1 Hz, five other stations, crashes
// at 100 %).
void BM_ExportExercise(benchmark::State& state) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("kelvatron-export" + std::string(kExtensions[state.range(0)])))
                                 .string();
    ExportJob job;
    job.transmission = {5,    double(state.range(1)), true, false, false, false, true, true, true,
                        false};
    job.keying = {false, true, 800, TTGWave::tgSine, 60, 3, 1, 1};
    job.seed = 12345;
    if (state.range(2)) {
        AirConditions air;
        air.on = air.noise = true;
        air.snrDb = 0, air.qsbHz = 1, air.qrmStations = 5, air.qrnPercent = 100, air.toneHz = 800;
        job.chain = airChainMaker(air);
    }
    double seconds = 0;
    const std::clock_t cpuStart = std::clock();
    for (auto _ : state) {
        ExportRenderer renderer(job);
        if (!renderer.render(path)) state.SkipWithError(renderer.error().c_str());
        seconds = renderer.seconds();
    }
    // On a busy machine the wall clock overstates the cost; processor time does not.
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    state.counters["x_cpu"] = seconds * static_cast<double>(state.iterations()) / cpu;
    state.counters["sound_s"] = seconds;
    state.counters["x_real_time"] = benchmark::Counter(
        seconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    const double kB = static_cast<double>(std::filesystem::file_size(path)) / 1000;
    state.counters["file_kB"] = kB;
    state.counters["kB_per_min"] = kB * 60 / seconds;
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(BM_ExportExercise)
    ->ArgNames({"format", "groups", "air"})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {102, 10}, {0}})
    ->Args({0, 102, 1})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// Ten minutes to every format, then one minute for the file sizes.
BENCHMARK(BM_RenderToFile)
    ->ArgNames({"format", "minutes"})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {10, 1}})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderTimelineOnly)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
