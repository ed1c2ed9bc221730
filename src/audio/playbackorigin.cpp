#include "audio/playbackorigin.h"

#include <algorithm>
#include <cmath>

namespace kelvatron {

void PlaybackOrigin::reading(double wallMs, double playedMs) {
    const double reading = wallMs - playedMs;
    if (!known_) {
        known_ = true;
        originMs_ = reading;
        lastWallMs_ = agreedSinceMs_ = wallMs;
        return;
    }
    const double elapsedMs = std::max(0.0, wallMs - lastWallMs_);
    lastWallMs_ = wallMs;
    const double off = reading - originMs_;
    if (std::fabs(off) > kJumpMs) {
        if (farSinceMs_ < 0) farSinceMs_ = wallMs;
        if (wallMs - farSinceMs_ >= kJumpAfterMs) {
            originMs_ = reading;
            farSinceMs_ = -1;
            agreedSinceMs_ = wallMs;
        }
        return;
    }
    farSinceMs_ = -1;
    const double step = kSlewMsPerSecond * elapsedMs / 1000;
    originMs_ += std::clamp(off, -step, step);
}

} // namespace kelvatron
