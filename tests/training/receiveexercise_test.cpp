// The receive exercise on the engine's fakes: what it keys stays out of the visible window,
// which takes the learner's typing; the opening and closing are keyed but not part of the text
// that is checked.
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "keying/signtable.h"
#include "support/engineharness.h"
#include "training/receivecheck.h"
#include "training/receiveexercise.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

struct Exercise : EngineHarness {
    Exercise() {
        controls.settings.groupSize = 3;
        controls.settings.groupCount = 2;
    }
    ReceiveExercise exercise{controls, text, progress, clock, events, state, signPlayer, pauseStop};

    // The learner types at the n-th event point from now (the keying checks for events before
    // every sign; the wait for the answer polls them).
    void typeAt(int point, const char* utf8) {
        events.at(point, [this, utf8] { text.bytes += toCp1251(utf8); });
    }
};

// Beeps of the signs a text keys (elements of each sign's code); a space in a text is a group
// pause, but keyed alone it is the break sign -...-.
int elementsOf(const char* utf8) {
    int n = 0;
    for (char c : toCp1251(utf8))
        if (auto i = findSign(std::string_view(&c, 1)); i && (c != ' ' || utf8[1] == 0))
            n += int(kSignTable[*i].code.size());
    return n;
}

} // namespace

TEST(ReceiveExercise, KeysTheChosenSourceHiddenAndTakesTheTypedAnswer) {
    struct Case {
        const char* name;
        bool text;          // " Текст в окне" with windowText, else digits
        const char* groups; // weak groups given to the run, UTF-8
        bool frame;         // opening and closing keyed
        const char* windowText;
        const char* sentUtf8; // expected, "" for the generated digits
    };
    const Case cases[] = {
        {"text in window", true, "", false, "ПАРИЖ ВОДКА", "ПАРИЖ ВОДКА"},
        {"drawn groups", false, "БВГ ДЕЖ", true, "", "БВГ ДЕЖ "},
        {"generated digits", false, "", true, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Exercise h;
        h.controls.settings.opening = h.controls.settings.closing = c.frame;
        h.controls.settings.digits = !c.text;
        h.controls.settings.textInWindow = c.text;
        h.text.bytes = toCp1251(c.windowText);
        h.typeAt(3, "1");
        const auto answer = h.exercise.run(toCp1251(c.groups));
        ASSERT_TRUE(answer);
        // Ж Ж Ж, the break sign and А Р sound when chosen, but are not in the checked text.
        const int frame = c.frame ? elementsOf("ЖЖЖ") + elementsOf(" ") + elementsOf("АР") : 0;
        if (*c.sentUtf8) {
            EXPECT_EQ(fromCp1251(answer->sent), c.sentUtf8);
            EXPECT_EQ(h.clock.beeps(), elementsOf(c.sentUtf8) + frame);
        } else {
            EXPECT_EQ(answer->sent.size(), 10u); // "ddd  ddd  ": two groups of three digits
            EXPECT_EQ(checkReceived(answer->sent, "").signsSent, 6);
        }
        // The visible window held only what the learner typed.
        EXPECT_EQ(answer->typed, "1");
        EXPECT_EQ(h.text.bytes, "1");
        EXPECT_FALSE(h.exercise.running());
    }
}

// "Проверить" during the keying takes what was keyed so far as the sent text; on an empty copy
// it still ends the keying, and the copy typed afterwards is taken at the next "Проверить".
TEST(ReceiveExercise, CheckDuringTheKeyingTakesWhatWasKeyed) {
    for (const bool copied : {true, false}) {
        SCOPED_TRACE(copied);
        Exercise h;
        h.controls.settings.digits = false;
        h.controls.settings.textInWindow = true;
        h.controls.settings.opening = h.controls.settings.closing = false;
        h.text.bytes = toCp1251("ПАРИЖ");
        h.events.at(3, [&] {
            if (copied) h.text.bytes = "x";
            h.exercise.requestCheck();
        });
        h.typeAt(50, "y");
        h.events.at(60, [&] { h.exercise.requestCheck(); });
        const auto answer = h.exercise.run();
        ASSERT_TRUE(answer);
        EXPECT_EQ(fromCp1251(answer->sent), "ПА");
        EXPECT_EQ(answer->typed, copied ? "x" : "y");
        EXPECT_EQ(h.clock.beeps(), elementsOf("ПА"));
        EXPECT_FALSE(h.controls.start);
    }
}

// Events handled by the end of the keying of two groups of three digits, no opening or closing.
int keyingEvents() {
    Exercise probe;
    probe.controls.settings.opening = probe.controls.settings.closing = false;
    probe.typeAt(1, "1");
    probe.exercise.run();
    return probe.events.count - ReceiveExercise::kAnswerWaitMs / ReceiveExercise::kPollMs;
}

// The copy is taken when the learner copying along rests, or at "Проверить"; a copy begun after
// the keying waits for "Проверить", however long the learner takes; an empty copy is never
// taken, and the learner is told, while it is empty, that "Проверить" takes it.
TEST(ReceiveExercise, TheCopyIsTakenWhenItRestsOrAtTheCheckButNeverEmpty) {
    const int rest = ReceiveExercise::kAnswerWaitMs / ReceiveExercise::kPollMs;
    struct Step {
        int at;            // event point after the keying's end; -1: the keying's first
        const char* typed; // the copy from then on, or nullptr
        bool check, stop;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        const char* taken; // nullptr: nothing is taken
        int endsAt;        // event point after the keying's end
        int prompts;
    };
    const auto copy = [](int at, const char* typed) { return Step{at, typed, false, false}; };
    const auto check = [](int at) { return Step{at, nullptr, true, false}; };
    const auto stop = [](int at) { return Step{at, nullptr, false, true}; };
    const Case cases[] = {
        {"copied along, taken at rest", {copy(-1, "1")}, "1", rest, 0},
        {"each key starts the rest again", {copy(-1, "1"), copy(100, "12")}, "12", 100 + rest, 0},
        {"nothing typed: the wait outlasts the rest until stopped", {stop(400)}, nullptr, 400, 1},
        {"typed after the keying, taken at the check", {copy(10, "12"), check(400)}, "12", 400, 1},
        {"an empty copy checked is told again", {check(5), copy(10, "1"), check(20)}, "1", 20, 2},
        {"erased after the keying, not taken",
         {copy(-1, "1"), copy(10, "  "), check(400), stop(450)},
         nullptr,
         450,
         2},
    };
    const int keying = keyingEvents();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Exercise h;
        h.controls.settings.opening = h.controls.settings.closing = false;
        int prompts = 0;
        h.exercise.onCopyAwaited([&] { ++prompts; });
        for (const Step& step : c.steps)
            h.events.at(step.at < 0 ? 1 : keying + step.at, [&h, step] {
                if (step.typed) h.text.bytes = step.typed;
                if (step.check) h.exercise.requestCheck();
                if (step.stop) h.state.stopFlag = 1; // the stop button, the window closing
            });
        const auto answer = h.exercise.run();
        EXPECT_EQ(answer.has_value(), c.taken != nullptr);
        if (answer && c.taken) {
            EXPECT_EQ(answer->typed, c.taken);
        }
        EXPECT_EQ(h.events.count - keying, c.endsAt);
        EXPECT_EQ(prompts, c.prompts);
        EXPECT_FALSE(h.state.transmitting);
    }
}

// No event is handled while the closing sounds: keys typed meanwhile reach the window only once
// the keying is over, and still count as copied along.
TEST(ReceiveExercise, KeysTypedAsTheClosingSoundsAreCopiedAlong) {
    Exercise h;
    h.controls.settings.digits = false;
    h.controls.settings.textInWindow = true;
    h.controls.settings.opening = false;
    h.text.bytes = toCp1251("ПАРИЖ");
    bool typed = false;
    h.clock.onSleep = [&] {
        if (typed || h.clock.beeps() < elementsOf("ПАРИЖАР")) return;
        typed = true;
        h.typeAt(1, "1");
    };
    h.events.at(1000, [&] { h.state.stopFlag = 1; });
    const auto answer = h.exercise.run();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->typed, "1");
}

TEST(ReceiveExercise, AStartDuringARunningTransmissionIsRefused) {
    Exercise h;
    h.state.transmitting = true;
    EXPECT_FALSE(h.exercise.run());
    EXPECT_EQ(h.clock.beeps(), 0);
}
