#include "platform/streamclock.h"

#include <algorithm>
#include <cmath>

namespace kelvatron {

StreamClock::StreamClock(uint32_t rate, double latencyMs) : rate_(rate), latencyMs_(latencyMs) {}

void StreamClock::blockStarted(int64_t position, double wallMs) {
    double reading = wallMs - position * 1000.0 / rate_;
    if (!running_) {
        originMs_ = reading;
        running_ = true;
    } else {
        double risen = originMs_ + std::max(0.0, wallMs - lastWallMs_) * kRiseRate;
        originMs_ = std::max(std::min(risen, reading), reading - kMaxLagMs);
    }
    lastWallMs_ = wallMs;
}

int64_t StreamClock::placement(double wallMs) const {
    if (!running_) return 0;
    return std::llround((wallMs + latencyMs_ - originMs_) * rate_ / 1000.0);
}

} // namespace kelvatron
