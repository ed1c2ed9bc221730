// A long generation handles no event, so it paints the window itself as the exercise grows.
#include <gtest/gtest.h>

#include "support/engineharness.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

// Notes the clock, the length of the text and the bar's position at every painting of the text.
struct PaintProbe : FakeTextWindow {
    PaintProbe(const FakeClock& c, const FakeProgress& p) : clock(c), progress(p) {}
    void paint() override {
        FakeTextWindow::paint();
        shots.push_back({clock.now(), bytes.size(), progress.position});
    }
    struct Shot {
        double ms;
        size_t length;
        int position;
    };
    const FakeClock& clock;
    const FakeProgress& progress;
    std::vector<Shot> shots;
};

struct PaintedRun : EngineHarness {
    PaintProbe probe{clock, progress};
    ExerciseGenerator generator{controls, probe, progress, clock, events, sourceSelection};
};

} // namespace

// 100 groups of 20 take 2,000 waits of 1 ms: the text and the bar are painted about every 50 ms
// of them, each time further on, never once per character.
TEST(GenerationPaint, TextAndBarArePaintedAsTheyGrowAtMostEveryFiftyMs) {
    PaintedRun r;
    r.controls.settings.groupSize = 20;
    r.controls.settings.groupCount = 100;
    r.generator.glLabel13Click();
    const auto& shots = r.probe.shots;
    ASSERT_GE(shots.size(), 35u);
    EXPECT_LE(shots.size(), 40u);
    EXPECT_EQ(r.progress.paints, int(shots.size()));
    for (size_t k = 1; k < shots.size(); ++k) {
        EXPECT_GE(shots[k].ms - shots[k - 1].ms, 50);
        EXPECT_GT(shots[k].length, shots[k - 1].length);
        EXPECT_GT(shots[k].position, shots[k - 1].position);
    }
    EXPECT_EQ(r.probe.bytes.size(), 2200u);
}

TEST(GenerationPaint, JargonIsPaintedAsItGrows) {
    PaintedRun r;
    r.controls.settings.groupCount = 200;
    r.generator.glLabel16Click();
    EXPECT_GE(r.probe.shots.size(), 3u);
}
