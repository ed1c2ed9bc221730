#include "audio/streamclock.h"

#include <algorithm>
#include <cmath>

namespace kelvatron {

StreamClock::StreamClock(uint32_t rate, double latencyMs) : rate_(rate), latencyMs_(latencyMs) {}

double StreamClock::floorMs(double reading, double wallMs) {
    while (count_ > 0 && back().originMs >= reading)
        --count_;
    if (count_ == kWindowSlots) front_ = (front_ + 1) % kWindowSlots, --count_;
    ++count_;
    back() = {wallMs, reading};
    while (window_[front_].wallMs < wallMs - kWindowMs)
        front_ = (front_ + 1) % kWindowSlots, --count_;
    return window_[front_].originMs;
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
    return placement(wallMs, latencyMs_, originMs_, rate_);
}

} // namespace kelvatron
