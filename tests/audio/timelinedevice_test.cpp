#include <gtest/gtest.h>

#include <vector>

#include "audio/timelinedevice.h"
#include "platform/linuxspeaker.h"
#include "support/fakeclock.h"

using namespace kelvatron;

namespace {

// An output whose sound thread is the test: it keeps what was pushed and hands every tone back.
class FakeOutput : public TimelineSoundDevice {
public:
    explicit FakeOutput(Clock& clock) : TimelineSoundDevice(clock, 48000) {}
    ~FakeOutput() override { giveBack(); }

    void giveBack() {
        for (const auto& e : placed)
            returnHeld(e);
        for (const auto& e : live)
            if (e.chain) returnHeld(e);
        freeFinished();
        placed.clear();
    }

    bool open = true, running = true, separate = false;
    double origin = 1000, latency = 20, margin = 15, ahead = 5, growth = 0;
    int afresh = 0;
    std::vector<TimelineEvent> placed, live;

protected:
    bool outputOpen() const override { return open; }
    bool outputRunning() const override { return running; }
    double originMs() const override { return origin; }
    double placementLatencyMs() const override { return latency; }
    double marginMs() const override { return margin; }
    double writtenAheadMs() const override { return ahead; }
    double aheadGrowthMs() const override { return growth; }
    void allowGrowth() override { ahead += growth, growth = 0; }
    bool pushPlaced(const TimelineEvent& e) override { return placed.push_back(e), true; }
    bool pushLive(const TimelineEvent& e) override { return live.push_back(e), true; }
    void startingAfresh() override { ++afresh; }
    bool separateLiveStream() const override { return separate; }
};

const auto k10ms = LinuxSpeaker::squareToneImage(800, 10);

} // namespace

// Each row keys dot, gap, dot with something happening between: the second dot must start
// exactly 20 ms (960 frames) after the first, or start afresh where that is impossible.
TEST(TimelineSoundDevice, PlacesTonesOnTheScheduleNotOnTheWake) {
    struct Row {
        const char* name;
        double wakeLateMs;   // the caller woke this late for the second dot
        double originMoveMs; // the output's clock estimate moved this much meanwhile
        int64_t expectedDistance;
        int expectedAfresh;
    };
    const Row rows[] = {
        {"on time", 0, 0, 960, 1},
        {"late within the margin", 12, 0, 960, 1},
        {"late beyond the margin starts afresh", 40, 0, 960 + 40 * 48, 2},
        {"the device's drift is followed", 0, 0.5, 960 - 24, 1},
    };
    for (const auto& r : rows) {
        test::FakeClock clock;
        clock.time = clock.logical = 5000;
        FakeOutput out(clock);
        out.playSound(k10ms, SND_MEMORY);
        clock.sleep(10);
        clock.wakeLate(r.wakeLateMs);
        out.origin += r.originMoveMs;
        out.playSound(k10ms, SND_MEMORY);
        ASSERT_EQ(out.placed.size(), 2u) << r.name;
        EXPECT_EQ(out.placed[1].position - out.placed[0].position, r.expectedDistance) << r.name;
        EXPECT_EQ(out.afresh, r.expectedAfresh) << r.name;
    }
}

// Four signs of two dots (10 ms tones 10 ms apart, 30 ms between signs) while the output comes to
// write further ahead (its buffer grew after it ran dry, or is to grow when allowed) or the
// caller wakes late by most of the margin. No dot may land in frames already written (it would
// sound late and cut the next); the run moves later in one step, between signs where the
// shrinking margin leaves time for it.
TEST(TimelineSoundDevice, MovesTheRestOfARunRatherThanPlaceToneInWrittenFrames) {
    struct Row {
        const char* name;
        int aheadFrom;
        double aheadMs, growthMs;
        int lateAt;
        double lateMs;
        int stepAt; // the dot after the one longer silence
    };
    const Row rows[] = {
        {"the lead grew: the next sign moves, and a late wake then fits", 3, 13, 0, 5, 10, 4},
        {"the lead grew past the latency: the next dot moves", 3, 22, 0, -1, 0, 3},
        {"a caller late by most of the margin", 0, 8, 0, 5, 13, 5},
        {"the buffer is to grow: it grows as the next sign moves", 3, 5, 30, 5, 10, 4},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        test::FakeClock clock;
        clock.time = clock.logical = 5000;
        FakeOutput out(clock);
        std::vector<int64_t> written;
        for (int dot = 0; dot < 8; ++dot) {
            if (dot == r.aheadFrom) out.ahead = r.aheadMs, out.growth = r.growthMs;
            if (dot == r.lateAt) clock.wakeLate(r.lateMs);
            written.push_back(std::llround((clock.now() + out.ahead - out.origin) * 48));
            out.playSound(k10ms, SND_MEMORY);
            clock.sleep(dot % 2 == 0 ? 10 : 30);
        }
        ASSERT_EQ(out.placed.size(), 8u);
        EXPECT_EQ(out.afresh, 1);
        EXPECT_EQ(out.growth, 0);
        for (int dot = 0; dot < 8; ++dot) {
            EXPECT_GE(out.placed[dot].position, written[dot]) << "dot " << dot;
            if (dot == 0) continue;
            const int64_t distance = out.placed[dot].position - out.placed[dot - 1].position;
            const int64_t due = dot % 2 == 1 ? 960 : 1920;
            if (dot == r.stepAt)
                EXPECT_GT(distance, due) << "dot " << dot;
            else
                EXPECT_EQ(distance, due) << "dot " << dot;
        }
    }
}

TEST(TimelineSoundDevice, KeysGoLiveAndNothingGoesToAClosedOutput) {
    test::FakeClock clock;
    FakeOutput out(clock);
    out.keyDown(700, TTGWave::tgSine);
    out.keyUp();
    ASSERT_EQ(out.live.size(), 2u);
    EXPECT_EQ(out.live[0].kind, TimelineEvent::Kind::KeyDown);
    EXPECT_EQ(out.live[1].kind, TimelineEvent::Kind::KeyUp);
    EXPECT_TRUE(out.placed.empty());

    out.open = false;
    out.keyDown(700, TTGWave::tgSine);
    out.playSound(k10ms, SND_MEMORY);
    EXPECT_EQ(out.live.size(), 2u);
    EXPECT_TRUE(out.placed.empty());
    EXPECT_EQ(clock.sleeps, std::vector<int32_t>{10}); // a silent output still takes the time
}

// A run placed from its own first frame: prompt tones on the live output with a short lead, and
// a run that began before the output's clock was known, with the latency as its lead, which
// stays on its own frames when the clock becomes known. The second dot keeps its 20 ms (960
// frames) though the caller woke late; the volume stays on the placed schedule.
TEST(TimelineSoundDevice, RunsPlacedFromTheirFirstFrameKeepTheirSpacing) {
    struct Row {
        const char* name;
        bool prompt, runningAtStart;
        int64_t expectedLead;
    };
    const Row rows[] = {
        {"prompt tones", true, true, 240},
        {"a run that began before the output ran", false, false, 960},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        test::FakeClock clock;
        clock.time = clock.logical = 5000;
        FakeOutput out(clock);
        out.running = r.runningAtStart;
        out.setPromptTones(r.prompt);
        out.playSound(k10ms, SND_MEMORY);
        out.running = true;
        clock.sleep(10);
        clock.wakeLate(12);
        out.playSound(k10ms, SND_MEMORY);
        out.setVolume(0x80008000u);
        std::vector<TimelineEvent> run = r.prompt ? out.live : out.placed;
        if (!r.prompt) run.pop_back(); // the volume
        ASSERT_EQ(run.size(), 2u);
        EXPECT_EQ(run[0].origin, TimelineEvent::Origin::NewRun);
        EXPECT_EQ(run[0].position, r.expectedLead);
        EXPECT_EQ(run[1].origin, TimelineEvent::Origin::Run);
        EXPECT_EQ(run[1].position, 960);
        EXPECT_EQ(out.placed.back().kind, TimelineEvent::Kind::Volume);
        EXPECT_EQ(out.placed.back().origin, TimelineEvent::Origin::Stream);
        for (const auto& e : out.live)
            if (e.tone) out.placed.push_back(e); // handed back with the rest
    }
}

// A chain goes to the placed tones' stream on their schedule, and another to the live tone's
// stream where it has its own; a closed output takes none. Every chain comes back to be freed.
TEST(TimelineSoundDevice, HandsEachStreamAChainOfItsOwn) {
    test::FakeClock clock;
    FakeOutput out(clock);
    int made = 0;
    int live = 0;
    const auto make = [&made, &live](uint32_t rate, uint32_t seed, ChainStream stream) {
        EXPECT_EQ(rate, 48000u);
        EXPECT_EQ(seed, 5u);
        ++made;
        live += stream == ChainStream::Live;
        return std::make_unique<SignalChain>();
    };
    for (bool separate : {false, true}) {
        out.separate = separate;
        out.placed.clear(), out.live.clear();
        made = live = 0;
        ASSERT_TRUE(out.setChain(make, 5));
        ASSERT_EQ(out.placed.size(), 1u);
        EXPECT_EQ(out.placed[0].kind, TimelineEvent::Kind::Chain);
        EXPECT_NE(out.placed[0].chain, nullptr);
        EXPECT_EQ(out.live.size(), separate ? 1u : 0u);
        EXPECT_EQ(made, separate ? 2 : 1);
        EXPECT_EQ(live, separate ? 1 : 0);
        out.giveBack();
        out.live.clear();
    }
    out.open = false;
    EXPECT_FALSE(out.setChain(make, 5));
    EXPECT_TRUE(out.placed.empty());
}
