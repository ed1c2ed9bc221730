#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "audio/liverest.h"
#include "audio/tonetimeline.h"

using namespace kelvatron;

namespace {

constexpr uint32_t kStreamRate = 48000;
constexpr double kRestMs = 2000, kWakeLeadMs = 4;

int64_t msFrames(double ms) {
    return std::llround(ms * kStreamRate / 1000);
}

} // namespace

// The stream rests a while after its last request or sound, and runs a while after it starts
// sounding, which may come a second after it opened: the device mixes far ahead as the stream
// starts, and a rest before that is forgotten would wake the first key after it late. A key that
// wakes it, even one whose whole tone is mixed by the first write (a dot shorter than the
// stream's buffer), keeps it awake: resting under it would stop the tone after its first few
// milliseconds and play the rest of it at the next key.
TEST(LiveRest, RestsAWhileAfterItStartsAndAfterTheLastRequestOrSound) {
    struct Step {
        double atMs;
        bool request, busy;
        double leadMs; // the device's lead at the write, 0 before the stream sounds
        bool rests;
    };
    LiveRest rest(kRestMs, 80);
    for (const Step s : {Step{3000, false, false, 0, false}, // opened: no reading yet
                         Step{4300, false, false, 577, false}, // starts: runs a while
                         Step{6299, false, false, 5, false}, Step{6300, false, false, 5, true},
                         Step{6300, false, true, 5, false}, Step{8299, false, false, 5, false},
                         Step{8300, false, false, 5, true}, Step{11000, true, false, 5, false},
                         Step{11010, false, false, 5, false}, Step{12500, false, true, 5, false},
                         Step{14499, false, false, 5, false}, Step{14500, false, false, 5, true}}) {
        if (s.request) rest.request(s.atMs);
        EXPECT_EQ(rest.shouldRest(s.atMs, s.busy, s.leadMs), s.rests) << "at " << s.atMs << " ms";
    }
    EXPECT_EQ(rest.wakeFrame(0, msFrames(40), 5, kWakeLeadMs, kStreamRate), msFrames(9))
        << "the lead as the stream started is forgotten";
}

// A woken stream joins the device's mix only where the device can still take it back: the key
// goes after the most the device was seen to mix ahead lately, never beyond what the stream
// holds, and a device that mixed far ahead as the stream opened counts no more than a buffer.
TEST(LiveRest, WakesAfterWhatTheDeviceMixedAhead) {
    struct Case {
        const char* name;
        std::vector<std::pair<double, double>> seen; // the device's lead at writes before the rest
        double nowMs; // and as the server measured the resting stream
        int64_t written;
        double expectedMs; // after the frame the stream stopped at
    };
    for (const Case& c :
         {Case{"the most seen lately", {{0, 3}, {10, 8.5}, {20, 2}}, 1, msFrames(40), 12},
          Case{"the lead measured at rest", {}, 6, msFrames(40), 10},
          Case{"no more than it holds", {{0, 20}}, 0, msFrames(10), 10},
          Case{"an opening device's lead", {{0, 1500}}, 0, msFrames(200), 84},
          Case{"forgotten as it opened", {{0, 1500}, {2000, 5}}, 0, msFrames(200), 9}}) {
        LiveRest rest(kRestMs, 80);
        for (const auto& [atMs, aheadMs] : c.seen)
            rest.shouldRest(atMs, true, aheadMs);
        EXPECT_EQ(rest.wakeFrame(msFrames(500), msFrames(500) + c.written, c.nowMs, kWakeLeadMs,
                                 kStreamRate),
                  msFrames(500) + msFrames(c.expectedMs))
            << c.name;
    }
}

// The wake and the sign it starts, as the live stream writes them: the stream stopped at frame
// S with the device 12 ms ahead, a prompt run's first tone comes and wakes it, the next ones
// come on their schedule and are written over what the stream holds from a lead after the
// frame playing then. No frame within what the device has mixed ahead is ever written again
// differently: what the device mixed is what it plays.
TEST(LiveRest, NothingTheDeviceMixedIsWrittenAgainDifferently) {
    const double aheadMs = 12;
    const int64_t stoppedAt = msFrames(1000), held = msFrames(30);
    ToneTimeline t(kStreamRate);
    std::vector<float> stream(2 * msFrames(2000), 0.0f);
    int64_t written = 0;
    const auto mixTo = [&](int64_t from, int64_t to) {
        t.mix(stream.data() + 2 * from, static_cast<int>(to - from), from);
    };
    mixTo(0, stoppedAt + held);
    written = stoppedAt + held;
    const std::vector<float> dot(msFrames(40), 0.5f), dash(msFrames(120), 0.5f);

    LiveRest rest(kRestMs, 80);
    rest.shouldRest(0, false, aheadMs);
    int64_t mixedUpTo = stoppedAt + msFrames(aheadMs); // what the device holds mixed
    const auto rewriteFrom = [&](int64_t from, const TimelineEvent& event) {
        from = t.rewind(from);
        const std::vector<float> before(stream.begin() + 2 * from, stream.begin() + 2 * written);
        t.add(event);
        mixTo(from, written);
        for (int64_t f = from; f < std::min(mixedUpTo, written); ++f)
            ASSERT_EQ(stream[2 * f], before[2 * (f - from)]) << "frame " << f - stoppedAt;
    };
    TimelineEvent first = TimelineEvent::start(msFrames(5), &dot, false);
    first.origin = TimelineEvent::Origin::NewRun;
    rewriteFrom(rest.wakeFrame(stoppedAt, written, 2, kWakeLeadMs, kStreamRate), first);

    // Each later element comes as its moment on the schedule passes: the stream has played that
    // long since the wake, and the device has mixed 12 ms beyond.
    for (const double atMs : {80.0, 240.0, 400.0}) {
        const int64_t playing = stoppedAt + msFrames(atMs);
        mixTo(written, playing + held);
        written = playing + held;
        mixedUpTo = playing + msFrames(aheadMs);
        TimelineEvent next = TimelineEvent::start(msFrames(atMs), &dash, false);
        next.origin = TimelineEvent::Origin::Run;
        rewriteFrom(playing + msFrames(kWakeLeadMs), next);
    }
}
