// A request to end the program, heard where no event is handled: a transmission's opening and
// closing, a long generation.
#include <gtest/gtest.h>

#include "core/terminationrequest.h"
#include "support/engineharness.h"
#include "support/soundedcode.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

// Raises the request at the n-th reading of the settings (the sign player reads them twice per
// element on the speaker).
struct RaisingSettings : FakeKeyingSettings {
    KeyingSettings keyingSettings() const override {
        if (++reads == raiseAt) raiseTerminationRequest();
        return settings;
    }
    mutable int reads = 0;
    int raiseAt = 0;
};

struct RaisingRun : EngineHarness {
    RaisingSettings raising;
    SignPlayer player{raising, output, text, clock, state.timing};
    TransmissionDriver driver{controls, text, progress, clock, events, state, player, pauseStop};
    std::string sounded() const { return soundedCode(clock.log); }
};

// Raises the request at the n-th wait.
struct RaisingClock : FakeClock {
    void sleep(int32_t ms) override {
        if (++waits == raiseAt) raiseTerminationRequest();
        FakeClock::sleep(ms);
    }
    int waits = 0;
    int raiseAt = 0;
};

class TerminationRequest : public ::testing::Test {
protected:
    ~TerminationRequest() override { clearTerminationRequest(); }
};

} // namespace

// The first Ж is keyed to its end; nothing follows it, neither body nor closing, and the run
// counts as stopped.
TEST_F(TerminationRequest, EndsTheOpeningAfterTheSignThatSounds) {
    RaisingRun r;
    r.raising.raiseAt = 3; // in the second element of the first Ж
    r.driver.start();
    EXPECT_EQ(r.sounded(), "...-");
    EXPECT_EQ(r.state.stopFlag, 1);
    EXPECT_EQ(r.events.count, 0);
    EXPECT_EQ(r.text.bytes, "");
}

TEST_F(TerminationRequest, EndsAGenerationWhereItStands) {
    EngineHarness h;
    RaisingClock clock;
    clock.raiseAt = 10;
    ExerciseGenerator generator{h.controls, h.text, h.progress, clock, h.events, h.sourceSelection};
    h.controls.settings.groupSize = 100;
    h.controls.settings.groupCount = 200;
    generator.generate(ExerciseKind::Digits);
    EXPECT_EQ(h.text.bytes.size(), 10u);
    EXPECT_EQ(clock.waits, 10);
}
