#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "audio/pulledstreammixer.h"
#include "audio/livevoice.h"

using namespace kelvatron;

namespace {

constexpr uint32_t kRate = 48000;
constexpr int kCycle = 128;            // the quantum the daemon runs the stream at
constexpr int64_t kDeviceAhead = 256;  // frames between the one written and the one sounding
constexpr double kKeyDelayMs = 8;
constexpr double kStartMs = 10; // the moment stream frame 0 sounds

double frameMs(int64_t frame) {
    return frame * 1000.0 / kRate;
}

// A pulled stream whose frame f sounds at kStartMs + frameMs(f): each cycle is mixed two cycles
// before its frames sound, and the server cannot say where the stream plays before its third.
struct PulledStream {
    PulledStreamMixer mixer{kRate, 0xFFFFFFFFu, nullptr, kKeyDelayMs};
    std::vector<float> left;

    // Runs cycles until the stream's time passes `untilMs`.
    void runUntil(double untilMs) {
        std::vector<float> block(2 * kCycle);
        while (kStartMs + frameMs(mixer.written() - kDeviceAhead) < untilMs) {
            const int64_t written = mixer.written();
            const double playing = written >= 2 * kCycle ? double(written - kDeviceAhead) : -1;
            mixer.cycle(block.data(), kCycle, kStartMs + frameMs(written - kDeviceAhead),
                        playing);
            for (int i = 0; i < kCycle; ++i) left.push_back(block[2 * i]);
        }
    }
    // When the first frame that sounds starts and the last one ends.
    std::pair<double, double> heardMs() const {
        int64_t first = -1, last = -1;
        for (size_t i = 0; i < left.size(); ++i)
            if (std::abs(left[i]) > 1e-6f) {
                if (first < 0) first = static_cast<int64_t>(i);
                last = static_cast<int64_t>(i);
            }
        return {kStartMs + frameMs(first), kStartMs + frameMs(last + 1)};
    }
};

} // namespace

// Every key edge sounds the key delay after its moment, so the tone is as long as the key was
// held. An edge that reaches the stream after its frame was mixed (late, or before the server
// could say where the stream plays) moves the whole key to the first frame that can still
// sound: it starts late, never cut short, and keeps its length. Placed changes waiting far
// ahead (more than a timeline holds) never hold a key back.
TEST(PulledStreamMixer, KeysSoundAFixedDelayAfterTheirMomentAndAsLongAsHeld) {
    struct Case {
        const char* name;
        double downMs, upMs; // the edges' moments
        double pushedMs;     // when the down edge reaches the stream (the up edge: at its moment)
        double expectedStartMs;
        bool placedAhead = false; // a transmission's changes wait a second ahead
    };
    for (const Case c : {Case{"in time", 100, 160, 100, 108},
                         // the first frame not yet mixed at 115 ms sounds at 122 ms
                         Case{"late", 100, 160, 115, 122},
                         // mixed in the second cycle, at 5 ms
                         Case{"before the clock is known", 5, 65, 5, kStartMs + frameMs(kCycle)},
                         Case{"behind placed changes", 100, 160, 100, 108, true}}) {
        PulledStream stream;
        stream.runUntil(c.pushedMs);
        for (size_t i = 0; c.placedAhead && i < 2 * ToneTimeline::kCapacity; ++i)
            ASSERT_TRUE(stream.mixer.pushPlaced(TimelineEvent::setVolume(kRate, 0xFFFFFFFFu)));
        ASSERT_TRUE(stream.mixer.pushLive(TimelineEvent::keyDown(700, TTGWave::tgSine, c.downMs)));
        stream.runUntil(c.upMs);
        ASSERT_TRUE(stream.mixer.pushLive(TimelineEvent::keyUp(c.upMs)));
        stream.runUntil(c.upMs + 100);
        const auto [start, end] = stream.heardMs();
        EXPECT_NEAR(start, c.expectedStartMs, 0.1) << c.name;
        // The release fades out over the voice's edge.
        EXPECT_NEAR(end - start, c.upMs - c.downMs + LiveVoice::kEdgeMs, 0.1) << c.name;
    }
}
