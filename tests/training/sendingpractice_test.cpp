#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "keying/signtable.h"
#include "training/sendingpractice.h"

using namespace kelvatron;

namespace {

using Tones = std::vector<std::pair<double, double>>; // on and off times

// A practice run on virtual time: the sidetone notes when it was switched, and the timer fires
// exactly at every deadline the practice names.
struct PracticeRun : Sidetone {
    explicit PracticeRun(KeyerMode mode = KeyerMode::IambicA)
        : practice({.mode = mode, .dotMs = 60}, *this,
                   [this](const std::string& t) { text += t; }) {}

    void toneOn(double atMs) override { onAt = atMs; }
    void toneOff(double atMs) override { heard.emplace_back(onAt, atMs); }
    void until(double t) {
        for (auto d = practice.nextDeadline(); d && *d <= t; d = practice.nextDeadline())
            practice.poll(now = *d);
        now = t;
    }
    void straight(bool down, double t) { until(t), practice.straightKey(down, t); }
    void paddle(Paddle p, bool down, double t) { until(t), practice.paddle(p, down, t); }

    double now = 0, onAt = -1;
    Tones heard;
    std::string text;
    SendingPractice practice;
};

// Keys a Windows-1251 text on the straight key with the ideal rhythm; returns the key's tones.
Tones keyStraight(PracticeRun& run, const std::string& cp1251, double dotMs = 60) {
    Tones keyed;
    double t = 0;
    for (char c : cp1251) {
        if (c == ' ') {
            t += 4 * dotMs;
            continue;
        }
        for (char element : kSignTable[*findSign({&c, 1})].code) {
            const double up = t + (element == '-' ? 3 : 1) * dotMs;
            run.straight(true, t), run.straight(false, up);
            keyed.emplace_back(t, up);
            t = up + dotMs;
        }
        t += 2 * dotMs;
    }
    run.until(t + 10 * dotMs);
    return keyed;
}

} // namespace

TEST(SendingPractice, StraightKeyingIsHeardAsKeyedAndDecoded) {
    PracticeRun run;
    const Tones keyed = keyStraight(run, toCp1251("ПАРИЖ ПАРИЖ"));
    EXPECT_EQ(run.heard, keyed);
    EXPECT_EQ(fromCp1251(run.text), "ПАРИЖ ПАРИЖ "); // written as the silences passed
    const auto result = run.practice.finish(run.now);
    EXPECT_EQ(fromCp1251(result.text), "ПАРИЖ ПАРИЖ ");
    EXPECT_NEAR(result.timing.wpm, 20, 0.01);
    EXPECT_NEAR(result.timing.dashDotRatio, 3, 0.01);
    EXPECT_NEAR(result.durationMs, keyed.back().second, 0.01);
}

// Dah squeezed with dit and both let go during the third element: Iambic B adds the opposite
// element; the straight choice keys only while a paddle is held. The keyer's own cases are in
// its test.
TEST(SendingPractice, PaddlesAreHeardAsTheKeyerSendsThem) {
    struct Row {
        KeyerMode mode;
        Tones tones;
        const char* text;
    } rows[] = {
        {KeyerMode::IambicB, {{0, 180}, {240, 300}, {360, 540}, {600, 660}}, "Ц"},
        {KeyerMode::Straight, {{0, 400}}, "Т"},
    };
    for (const auto& row : rows) {
        PracticeRun run(row.mode);
        run.paddle(Paddle::Dah, true, 0);
        run.paddle(Paddle::Dit, true, 10);
        run.paddle(Paddle::Dit, false, 400);
        run.paddle(Paddle::Dah, false, 400);
        run.until(2000);
        EXPECT_EQ(run.heard, row.tones) << row.text;
        EXPECT_EQ(fromCp1251(run.practice.finish(2000).text), std::string(row.text) + " ");
    }
}

TEST(SendingPractice, StraightKeyAndPaddlesShareOneTone) {
    PracticeRun run(KeyerMode::IambicA);
    run.straight(true, 0);
    run.paddle(Paddle::Dit, true, 30); // a dot inside the held key changes nothing heard
    run.paddle(Paddle::Dit, false, 40);
    run.straight(false, 180);
    EXPECT_EQ(run.heard, (Tones{{0, 180}}));
}

TEST(SendingPractice, FinishCutsTheToneAndWritesThePendingSignWithoutTheCutElement) {
    PracticeRun run;
    run.straight(true, 0), run.straight(false, 60);
    run.paddle(Paddle::Dah, true, 120);
    run.until(250);
    const auto result = run.practice.finish(250);
    EXPECT_EQ(run.heard, (Tones{{0, 60}, {120, 250}}));
    EXPECT_EQ(fromCp1251(result.text), "Е");
    run.straight(true, 300); // after the end nothing keys
    EXPECT_EQ(run.heard.size(), 2u);
    EXPECT_FALSE(run.practice.nextDeadline());
}
