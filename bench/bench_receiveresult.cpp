// Showing the result of a 20,000-sign receive check: the aligned rows as one document, the
// mistakes in words and the confusion table. "set" is setResult alone; "shown" adds the first
// layout and paint of the view (640 × 520, offscreen), which is what the learner waits for.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "receivetexts.h"
#include "trainingui/receiveresultview.h"

using namespace kelvatron;
using namespace kelvatron::bench;

namespace {

void BM_ShowReceiveResult(benchmark::State& state) {
    const auto [sent, typed] = texts(int(state.range(0)), int(state.range(1)));
    const ReceiveCheck check = checkReceived(sent, typed);
    const ExerciseSpeed speed = exerciseSpeed(sent, KeyingPace{});
    const bool paint = state.range(2) != 0;
    state.SetLabel(std::string(kNames[state.range(0)]) + (paint ? " shown" : " set"));
    ReceiveResultView view;
    view.resize(640, 520);
    view.show();
    QApplication::processEvents();
    for (auto _ : state) {
        view.setResult(check, speed, sent, typed);
        if (paint) benchmark::DoNotOptimize(view.grab().width());
    }
    state.counters["errors"] = check.errors();
}

BENCHMARK(BM_ShowReceiveResult)
    ->ArgNames({"case", "groupSize", "paint"})
    ->ArgsProduct({{0, 1, 4}, {5, 100}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
}
