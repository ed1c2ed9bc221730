#include "platform/streamclock.h"

#include <algorithm>
#include <cmath>

namespace kelvatron {

StreamClock::StreamClock(uint32_t rate, double latencyMs) : rate_(rate), latencyMs_(latencyMs) {}

double StreamClock::floorMs(double reading, double wallMs) {
    while (!window_.empty() && window_.back().originMs >= reading)
        window_.pop_back();
    window_.push_back({wallMs, reading});
    while (window_.front().wallMs < wallMs - kWindowMs)
        window_.pop_front();
    return window_.front().originMs;
}

void StreamClock::blockStarted(int64_t position, double wallMs) {
    const double expectedMs = (position - lastPosition_) * 1000.0 / rate_;
    const bool steady = anyBlock_ && wallMs - lastBlockWallMs_ >= expectedMs / 2;
    anyBlock_ = true;
    lastPosition_ = position;
    lastBlockWallMs_ = wallMs;
    if (!steady) return;
    const double reading = wallMs - position * 1000.0 / rate_;
    const double floor = floorMs(reading, wallMs);
    if (!running_) {
        originMs_ = floor;
        running_ = true;
    } else {
        double risen = originMs_ + std::max(0.0, wallMs - lastWallMs_) * kRiseRate;
        originMs_ = std::min(risen, floor);
        if (floor - originMs_ > kMaxLagMs) originMs_ = floor;
    }
    lastWallMs_ = wallMs;
}

int64_t StreamClock::placement(double wallMs) const {
    if (!running_) return 0;
    return std::llround((wallMs + latencyMs_ - originMs_) * rate_ / 1000.0);
}

} // namespace kelvatron
