// Keys typed faster than their signs sound wait in a queue that handles events between signs.
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "support/engineharness.h"
#include "support/soundedcode.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

class KeyQueue : public ::testing::Test {
protected:
    KeyQueue() {
        h.controls.settings.opening = false;
        h.controls.settings.closing = false;
    }
    std::string sounded() const { return soundedCode(h.clock.log); }
    void type(std::string_view utf8) {
        for (char key : toCp1251(utf8))
            h.keyboardPractice.typeKey(key);
    }

    EngineHarness h;
};

} // namespace

// Е sounds; meanwhile 5, a full stop (no sign) and Т are typed: they follow in turn with the
// rhythm each key had on its own, and events are handled after every sign.
TEST_F(KeyQueue, KeysTypedWhileASignSoundsFollowInTurn) {
    h.events.at(1, [&] { type("5.т"); });
    type("е");
    // Each key waits its own pause after its sign; a key without a sign only that pause.
    const Log pause{"sleep 120"};
    EXPECT_EQ(h.clock.log, speakerSign(".") + pause + speakerSign(".....") + pause + pause +
                               speakerSign("-") + pause);
    EXPECT_EQ(h.events.count, 4);
    EXPECT_TRUE(h.state.keyBuffer.empty());
}

TEST_F(KeyQueue, AtMostTwentyKeysWait) {
    h.events.at(1, [&] { type(std::string(25, 'e')); });
    type("е");
    EXPECT_EQ(sounded(), std::string(1 + KeyboardPractice::kKeyBufferCapacity, '.'));
}

// Closing empties the queue: the sign that sounds is the last.
TEST_F(KeyQueue, StopKeyingEndsTheQueueAfterTheSignThatSounds) {
    h.events.at(1, [&] { type("ттттт"); });
    h.events.at(2, [&] { h.keyboardPractice.stopKeying(); });
    type("е");
    EXPECT_EQ(sounded(), ".-");
    EXPECT_EQ(h.events.count, 2);
}

// A transmission started between two queued signs handles its own events: a key typed during it
// sounds at once, not after the whole transmission.
TEST_F(KeyQueue, AKeyTypedDuringATransmissionStartedFromTheQueueSoundsAtOnce) {
    h.controls.settings.groupSize = 1;
    h.controls.settings.groupCount = 2;
    std::string soundedWhenTyped;
    h.events.at(1, [&] { h.transmission.start(); });
    h.events.at(2, [&] { type("т"); }); // the check before the first digit
    h.events.at(3, [&] { soundedWhenTyped = sounded(); });
    type("е");
    EXPECT_EQ(soundedWhenTyped, ".-");
}

// The queue's signs answer the hand at once, as prompt tones; a transmission started between
// them keeps its own schedule (placed tones, which a late wake of the window cannot move), and
// the signs after it answer at once again.
TEST_F(KeyQueue, ATransmissionStartedFromTheQueueKeepsItsSchedule) {
    h.settings.settings.speaker = false;
    h.settings.settings.soundCard = true;
    h.controls.settings.groupSize = 1;
    h.controls.settings.groupCount = 1;
    h.events.at(1, [&] {
        type("е");
        h.transmission.start();
    });
    type("е");
    std::string prompts;
    for (const auto& play : h.sound.plays)
        prompts += play.prompt ? 'p' : 's';
    // Е, the five elements of the one digit, Е.
    EXPECT_EQ(prompts, "psssssp") << "p: a prompt tone, s: on the schedule";
}
