#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio/playbackorigin.h"

using namespace kelvatron;

namespace {

// Feeds readings every 10 ms of wall time: the true origin at each moment plus a noise pattern.
struct Feed {
    const char* name;
    double (*trueOrigin)(double wallMs); // relative to the first reading's wall time
    double noiseMs;
    double seconds;
    double expectedFinalOffMs;  // how far the estimate may end from the truth
    double largestStepPer100Ms; // how far the estimate may move in 100 ms of wall time
};

double fixed(double) {
    return 1000;
}
double drifting(double wallMs) {
    return 1000 + wallMs * 100e-6;
} // a device 100 ppm slow

} // namespace

TEST(PlaybackOrigin, FollowsTheDeviceButNotTheNoise) {
    const Feed feeds[] = {
        {"a steady device is held through noise", fixed, 0.5, 5, 0.1, 0.03},
        {"a slow device's drift is followed", drifting, 0.3, 20, 0.3, 0.03},
    };
    for (const auto& f : feeds) {
        PlaybackOrigin origin;
        double largestStep = 0, lastEstimate = 0, lastStepWall = -1;
        const double start = 5000;
        for (double t = 0; t <= f.seconds * 1000; t += 10) {
            const double noise = f.noiseMs * std::sin(t * 0.37);
            origin.reading(start + t, start + t - f.trueOrigin(t) - noise);
            if (lastStepWall < 0 || t - lastStepWall >= 100) {
                if (lastStepWall >= 0)
                    largestStep =
                        std::max(largestStep, std::fabs(origin.originMs() - lastEstimate));
                lastEstimate = origin.originMs();
                lastStepWall = t;
            }
        }
        EXPECT_TRUE(origin.known()) << f.name;
        EXPECT_NEAR(origin.originMs(), f.trueOrigin(f.seconds * 1000), f.expectedFinalOffMs)
            << f.name;
        EXPECT_LE(largestStep, f.largestStepPer100Ms) << f.name;
    }
}
