#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <vector>

#include "audio/streamclock.h"
#include "audio/tonetimeline.h"

using namespace kelvatron;
using Samples = std::vector<float>;

namespace {

// Keeps the tests' tones alive: the timeline only borrows them.
std::deque<Samples> tones;

TimelineEvent start(int64_t at, Samples s, bool loop = false) {
    tones.push_back(std::move(s));
    return TimelineEvent::start(at, &tones.back(), loop);
}

// Counts how often each tone came back.
struct CountingReturn : ToneReturn {
    void finished(const ToneSamples* tone) override { ++returned[tone]; }
    std::map<const ToneSamples*, int> returned;
};

// Mixes `frames` frames from frame `from` in blocks of `block`; returns the left channel.
Samples left(ToneTimeline& t, int64_t from, int frames, int block = 1 << 30,
             Samples* right = nullptr) {
    Samples out(2 * frames), l;
    for (int at = 0; at < frames; at += block)
        t.mix(out.data() + 2 * at, std::min(block, frames - at), from + at);
    for (int i = 0; i < frames; ++i) {
        l.push_back(out[2 * i]);
        if (right) right->push_back(out[2 * i + 1]);
    }
    return l;
}

} // namespace

TEST(ToneTimeline, TonesStartAndEndAtTheirExactFramesAcrossBlocks) {
    struct Case {
        const char* name;
        std::vector<TimelineEvent> events;
        int block;
        Samples expected;
    };
    const Case cases[] = {
        {"two tones",
         {start(3, {1, 2, 3}), start(9, {5, 6})},
         4,
         {0, 0, 0, 1, 2, 3, 0, 0, 0, 5, 6, 0}},
        {"a new start or a stop cuts the tone before",
         {start(0, {1, 1, 1, 1, 1}), start(2, {7, 7, 7, 7}), TimelineEvent::stop(4)},
         3,
         {1, 1, 7, 7, 0, 0}},
        {"a loop repeats until stopped",
         {start(1, {1, 2}, true), TimelineEvent::stop(8)},
         4,
         {0, 1, 2, 1, 2, 1, 2, 1, 0, 0}},
        {"an empty tone is silence", {start(0, {}, true)}, 3, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CountingReturn returns;
        ToneTimeline t(48000, 0xFFFFFFFFu, &returns);
        for (const auto& e : c.events)
            t.add(e);
        EXPECT_EQ(left(t, 0, int(c.expected.size()), c.block), c.expected);
        EXPECT_FALSE(t.sounding());
        // Every tone, ended, cut off or empty, goes back exactly once to be freed.
        for (const auto& e : c.events)
            if (e.tone) {
                EXPECT_EQ(returns.returned[e.tone], 1);
            }
    }
}

TEST(ToneTimeline, ALateStartPlaysWholeFromTheNextBlock) {
    ToneTimeline t;
    left(t, 0, 4); // frames 0..3 are gone
    t.add(start(2, {1, 2, 3}));
    EXPECT_EQ(left(t, 4, 4), (Samples{1, 2, 3, 0}));
}

TEST(ToneTimeline, VolumeScalesEachChannelFromItsFrame) {
    ToneTimeline t(48000, 0x0000FFFFu); // left full, right silent
    t.add(start(0, {1, 1, 1, 1}));
    t.add(TimelineEvent::setVolume(2, 0xCCCC0000u)); // left silent, right 80 %
    Samples right;
    EXPECT_EQ(left(t, 0, 4, 4, &right), (Samples{1, 1, 0, 0}));
    EXPECT_FLOAT_EQ(right[1], 0);
    EXPECT_FLOAT_EQ(right[2], 0.8f);
}

TEST(StreamClock, PlacesALatencyAheadOfTheStreamPosition) {
    StreamClock c(48000, 50);
    c.blockStarted(0, 1000);         // asked for on opening, before the device runs: not a reading
    EXPECT_EQ(c.placement(1000), 0); // no reading yet: at once
    c.blockStarted(2048, 1000 + 2048 / 48.0);
    ASSERT_TRUE(c.running());
    EXPECT_EQ(c.placement(1000), 2400);
    EXPECT_EQ(c.placement(1100), 2400 + 4800);
    // A sound asked for a latency ahead always lands in a block not yet mixed.
    c.blockStarted(4096, 1000 + 4096 / 48.0);
    EXPECT_GE(c.placement(1000 + 4096 / 48.0), 4096 + 2048);
}

// Blocks of 1 ms coming 200 ppm early or late for 4.8 s: between two tones 100 ms apart the
// timeline never moves by more than 0.05 ms.
TEST(StreamClock, FollowsAFastDeviceAtOnceAndASlowOneGently) {
    StreamClock fast(48000, 50), slow(48000, 50);
    std::vector<double> fastOrigins, slowOrigins;
    for (int k = 0; k <= 4800; ++k) {
        fast.blockStarted(48 * k, k * (1 - 200e-6));
        slow.blockStarted(48 * k, k * (1 + 200e-6));
        fastOrigins.push_back(fast.originMs());
        slowOrigins.push_back(slow.originMs());
    }
    for (size_t k = 100; k < fastOrigins.size(); ++k) {
        ASSERT_NEAR(fastOrigins[k], fastOrigins[k - 100], 0.05);
        ASSERT_NEAR(slowOrigins[k], slowOrigins[k - 100], 0.05);
    }
    EXPECT_NEAR(fast.originMs(), -4800 * 200e-6, 1e-6);
    EXPECT_NEAR(slow.originMs(), 3800 * 200e-6, 0.01); // the floor of the last second
}

// A run starts a block and its lead after the first frame not yet mixed, and its
// later tones keep their distance from its start however late they are taken.
TEST(ToneTimeline, ARunStartsALeadAfterWhatIsMixedAndKeepsItsSpacing) {
    ToneTimeline t(1000);
    left(t, 0, 4);
    TimelineEvent first = start(5, {1}), second = start(3, {2}); // a lead of 5 frames
    first.origin = TimelineEvent::Origin::NewRun;
    second.origin = TimelineEvent::Origin::Run;
    t.add(first);
    EXPECT_EQ(left(t, 4, 4), Samples(4, 0));
    t.add(second);
    EXPECT_EQ(left(t, 8, 12), (Samples{0, 0, 0, 0, 0, 1, 0, 0, 2, 0, 0, 0}));
}

// A key written over what is mixed sounds from the frame the output went back to; the output
// goes no further back than a change that took effect or into a tone still sounding.
TEST(ToneTimeline, RewindsToTheKeyButNotPastWhatHasChanged) {
    ToneTimeline t(48000);
    t.add(start(100, Samples(300, 0.5f)));
    left(t, 0, 1000);
    EXPECT_EQ(t.rewind(200), 400) << "not before the tone's end";
    left(t, 400, 1000);
    t.add(start(1500, Samples(10000, 0.5f)));
    left(t, 1400, 200);
    EXPECT_EQ(t.rewind(1550), 1600) << "not into a sounding tone";
    t.add(TimelineEvent::stop(1600));
    left(t, 1600, 400);
    EXPECT_EQ(t.rewind(1700), 1700);
    t.add(TimelineEvent::keyDown(600, TTGWave::tgSquare));
    EXPECT_NE(left(t, 1700, 300)[1], 0.0f) << "the key sounds from the frame gone back to";
    EXPECT_EQ(t.rewind(1000), 1700) << "not before the key";
}

// A key written over silence long after the last release starts from silence, with its rise.
TEST(ToneTimeline, AKeyWrittenOverSilenceRisesFromNothing) {
    ToneTimeline t(48000);
    t.add(TimelineEvent::keyDown(600, TTGWave::tgSquare));
    left(t, 0, 500);
    t.add(TimelineEvent::keyUp());
    left(t, 500, 3000);
    ASSERT_EQ(t.rewind(2000), 2000);
    t.add(TimelineEvent::keyDown(600, TTGWave::tgSquare));
    EXPECT_LT(std::fabs(left(t, 2000, 100)[1]), 0.01f) << "no jump to full level";
}

// A key edge that carries its moment goes to the frame a fixed delay after it on the output's
// clock, so every edge is equally late and a tone lasts as long as its key was held; an edge
// without its moment and a scheduled change keep their place.
TEST(TimelineEvent, PlacesATimedKeyEdgeItsDelayAfterItsMoment) {
    struct Case {
        const char* name;
        TimelineEvent event;
        double originMs, delayMs;
        int64_t position;
        bool placed;
    };
    for (Case c :
         {Case{"key down", TimelineEvent::keyDown(700, TTGWave::tgSine, 5000), 4000, 10, 48480,
               true},
          Case{"key up", TimelineEvent::keyUp(5123.5), 4000, 10, 54408, true},
          Case{"a longer delay", TimelineEvent::keyUp(5000), 4000, 25.5, 49224, true},
          Case{"no moment", TimelineEvent::keyDown(700, TTGWave::tgSine), 4000, 10, 0, false},
          Case{"a stop", TimelineEvent::stop(123), 4000, 10, 123, false}}) {
        c.event.placeKey(c.originMs, c.delayMs, 48000);
        EXPECT_EQ(c.event.position, c.position) << c.name;
        EXPECT_EQ(c.event.placed, c.placed) << c.name;
    }
}

// Placed edges sound at their frames however the blocks fall: the tone rises at the key-down's
// frame and starts falling at the key-up's, so it is exactly as long as the key was held.
TEST(ToneTimeline, TimedKeyEdgesSoundAtTheirFrames) {
    ToneTimeline t(48000);
    const double originMs = 1000, delayMs = 10;
    TimelineEvent down = TimelineEvent::keyDown(700, TTGWave::tgSquare, 1100),
                  up = TimelineEvent::keyUp(1160);
    down.placeKey(originMs, delayMs, 48000);
    up.placeKey(originMs, delayMs, 48000);
    Samples out = left(t, 0, 480);
    t.add(down);
    t.add(up);
    const Samples rest = left(t, 480, 12000 - 480, 441);
    out.insert(out.end(), rest.begin(), rest.end());
    const int64_t downAt = 48 * (1100 + 10 - 1000), upAt = downAt + 48 * 60;
    const int64_t edge = std::llround(LiveVoice::kEdgeMs * 48);
    int64_t first = -1, last = -1;
    for (int64_t f = 0; f < 12000; ++f)
        if (out[f] != 0.0f) {
            if (first < 0) first = f;
            last = f;
        }
    EXPECT_EQ(first, downAt) << "the rise starts at the key-down's frame";
    EXPECT_NEAR(last, upAt + edge - 1, 1) << "the fall ends an edge after the key-up's frame";
    EXPECT_FLOAT_EQ(std::fabs(out[upAt - 1]), 1.0f) << "full level until the key-up";
}
