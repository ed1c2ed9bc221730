// Where the progress bar stands when a transmission ends, on the engine's fakes.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/engineharness.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

// Notes how far the timeline had come at each position, and whether it was shown at once.
struct TimedProgress : FakeProgress {
    explicit TimedProgress(const FakeClock& c) : clock(c) {}
    void setPosition(int p) override {
        FakeProgress::setPosition(p);
        at.push_back({p, clock.log.size(), false});
    }
    void paint() override {
        FakeProgress::paint();
        if (!at.empty()) at.back().shown = true;
    }
    struct Step {
        int position;
        size_t logLength;
        bool shown;
    };
    const FakeClock& clock;
    std::vector<Step> at;
};

struct TimedRun : EngineHarness {
    TimedProgress timed{clock};
    PauseStopControl stops{controls, timed, events, state};
    TransmissionDriver driver{controls, text, timed, clock, events, state, signPlayer, stops};
};

} // namespace

// The bar returns to 0 after the last group pause has been waited (the text source after the
// pause of a closing space) and is shown at once, since the closing handles no event.
TEST(FinishProgress, BarReturnsToZeroAfterTheLastGroupPause) {
    for (bool textSource : {false, true}) {
        SCOPED_TRACE(textSource ? "text in the window" : "digit groups");
        TimedRun r;
        r.controls.settings.opening = false;
        r.controls.settings.groupSize = 2;
        r.controls.settings.groupCount = 2;
        if (textSource) {
            r.controls.settings.digits = false;
            r.controls.settings.textInWindow = true;
            r.text.bytes = "12 ";
        }
        r.driver.glCheckBox8Click();
        const auto& log = r.clock.log;
        // The closing: three group pauses, then А and Р.
        const size_t closing = std::find(log.begin(), log.end(), "sleep 720") - log.begin();
        ASSERT_LT(closing, log.size());
        EXPECT_EQ(log.at(closing - 1), "sleep 240"); // the last group pause
        ASSERT_FALSE(r.timed.at.empty());
        const TimedProgress::Step last = r.timed.at.back();
        EXPECT_EQ(last.position, 0);
        EXPECT_EQ(last.logLength, closing);
        EXPECT_TRUE(last.shown);
    }
}
