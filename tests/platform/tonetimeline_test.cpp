#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/streamclock.h"
#include "platform/tonetimeline.h"

using namespace kelvatron;

namespace {

std::shared_ptr<const std::vector<float>> tone(std::vector<float> s) {
    return std::make_shared<const std::vector<float>>(std::move(s));
}

// Mixes `frames` frames in blocks of `block` from frame 0 and returns the left channel.
std::vector<float> left(ToneTimeline& t, int frames, int block,
                        std::vector<float>* right = nullptr) {
    std::vector<float> out(2 * frames), l;
    for (int at = 0; at < frames; at += block)
        t.mix(out.data() + 2 * at, std::min(block, frames - at), at);
    for (int i = 0; i < frames; ++i) {
        l.push_back(out[2 * i]);
        if (right) right->push_back(out[2 * i + 1]);
    }
    return l;
}

} // namespace

TEST(ToneTimeline, TonesStartAndEndAtTheirExactFramesAcrossBlocks) {
    ToneTimeline t;
    t.add(TimelineEvent::start(3, tone({1, 2, 3}), false));
    t.add(TimelineEvent::start(9, tone({5, 6}), false));
    EXPECT_EQ(left(t, 12, 4), (std::vector<float>{0, 0, 0, 1, 2, 3, 0, 0, 0, 5, 6, 0}));
    EXPECT_FALSE(t.sounding());
}

TEST(ToneTimeline, ANewStartOrAStopCutsTheToneBefore) {
    ToneTimeline t;
    t.add(TimelineEvent::start(0, tone({1, 1, 1, 1, 1}), false));
    t.add(TimelineEvent::start(2, tone({7, 7, 7, 7}), false));
    t.add(TimelineEvent::stop(4));
    EXPECT_EQ(left(t, 6, 3), (std::vector<float>{1, 1, 7, 7, 0, 0}));
}

TEST(ToneTimeline, LoopRepeatsUntilStopped) {
    ToneTimeline t;
    t.add(TimelineEvent::start(1, tone({1, 2}), true));
    t.add(TimelineEvent::stop(8));
    EXPECT_EQ(left(t, 10, 4), (std::vector<float>{0, 1, 2, 1, 2, 1, 2, 1, 0, 0}));
}

TEST(ToneTimeline, ALateStartPlaysWholeFromTheNextBlock) {
    ToneTimeline t;
    std::vector<float> out(8);
    t.mix(out.data(), 4, 0); // frames 0..3 are gone
    t.add(TimelineEvent::start(2, tone({1, 2, 3}), false));
    t.mix(out.data(), 4, 4);
    EXPECT_EQ(out, (std::vector<float>{1, 1, 2, 2, 3, 3, 0, 0}));
}

TEST(ToneTimeline, VolumeScalesEachChannelFromItsFrame) {
    ToneTimeline t(0x0000FFFFu); // left full, right silent
    t.add(TimelineEvent::start(0, tone({1, 1, 1, 1}), false));
    t.add(TimelineEvent::setVolume(2, 0xCCCC0000u)); // left silent, right 80 %
    std::vector<float> right;
    EXPECT_EQ(left(t, 4, 4, &right), (std::vector<float>{1, 1, 0, 0}));
    EXPECT_FLOAT_EQ(right[1], 0);
    EXPECT_FLOAT_EQ(right[2], 0.8f);
}

TEST(ToneTimeline, AnEmptyToneIsSilence) {
    ToneTimeline t;
    t.add(TimelineEvent::start(0, tone({}), true));
    EXPECT_EQ(left(t, 3, 3), (std::vector<float>{0, 0, 0}));
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

TEST(StreamClock, LateBlocksDoNotMoveTheTimeline) {
    StreamClock c(48000, 50);
    for (int k = 0; k < 100; ++k) {
        // Every fifth block comes 9 ms late, the others within a tenth of a millisecond.
        double late = k % 5 == 4 ? 9 : (k % 3) * 0.05;
        c.blockStarted(2048 * k, 2048 * k / 48.0 + late);
        if (k > 0) {
            ASSERT_NEAR(c.originMs(), 0, 0.1) << k;
        }
    }
}

TEST(StreamClock, BlocksThatFillTheBufferAreNoReadings) {
    // On opening the device asks for three blocks at once, then runs; its real pace starts only
    // with the fourth block, 190 ms later than the burst would suggest.
    StreamClock c(48000, 50);
    c.blockStarted(0, 0);
    c.blockStarted(2048, 0.1);
    c.blockStarted(4096, 0.2);
    EXPECT_FALSE(c.running());
    for (int k = 3; k < 10; ++k) {
        c.blockStarted(2048 * k, 190 + 2048 * k / 48.0);
        ASSERT_NEAR(c.originMs(), 190, 0.01) << k;
    }
    // Catching up after a late block is no reading either.
    c.blockStarted(2048 * 10, 190 + 2048 * 10 / 48.0 + 30);
    c.blockStarted(2048 * 11, 190 + 2048 * 11 / 48.0 - 25);
    EXPECT_NEAR(c.originMs(), 190, 0.01);
}

TEST(StreamClock, JumpsOnlyWhenTheWholeLastSecondLagsFarBehind) {
    // A device that stalled for 100 ms and then runs on at its pace.
    StreamClock c(48000, 50);
    c.blockStarted(0, 0);
    double lastJumpWall = -1;
    for (int k = 1; k < 60; ++k) {
        double wall = 2048 * k / 48.0 + (k >= 10 ? 100 : 0);
        double before = c.originMs();
        c.blockStarted(2048 * k, wall);
        if (c.originMs() - before > 1) lastJumpWall = wall;
    }
    EXPECT_NEAR(c.originMs(), 100, 0.01);
    // Not before the last reading from before the stall has left the window.
    EXPECT_GT(lastJumpWall, 9 * 2048 / 48.0 + StreamClock::kWindowMs);
}

TEST(StreamClock, FollowsAFastDeviceAtOnceAndASlowOneGently) {
    StreamClock fast(48000, 50);
    StreamClock slow(48000, 50);
    std::vector<double> fastOrigins, slowOrigins;
    for (int k = 0; k <= 4800; ++k) { // 4.8 s of 1 ms blocks
        double nominal = k * 1.0;
        fast.blockStarted(48 * k, nominal * (1 - 200e-6)); // blocks come 200 ppm early
        slow.blockStarted(48 * k, nominal * (1 + 200e-6));
        fastOrigins.push_back(fast.originMs());
        slowOrigins.push_back(slow.originMs());
    }
    // Between two tones 100 ms apart the timeline never moves by more than 0.05 ms.
    for (size_t k = 100; k < fastOrigins.size(); ++k) {
        ASSERT_NEAR(fastOrigins[k], fastOrigins[k - 100], 0.05);
        ASSERT_NEAR(slowOrigins[k], slowOrigins[k - 100], 0.05);
    }
    EXPECT_NEAR(fast.originMs(), -4800 * 200e-6, 1e-6);
    EXPECT_NEAR(slow.originMs(), 3800 * 200e-6, 0.01); // the floor of the last second
}
