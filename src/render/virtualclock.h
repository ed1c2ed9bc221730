#pragma once
#include <cstdint>

#include "core/clock.h"

namespace kelvatron {

// A clock that never waits: time is a position on a sample timeline at a fixed rate, and every
// wait moves it on exactly.
//
// Time is kept as a whole number of ticks of 1/1000 sample (one millisecond is `rate` ticks), so
// a wait of any whole number of milliseconds is exact at any rate: at 44100 Hz a 1 ms wait is
// 44.1 samples, and ten of them are exactly 441. The sample at which something happens is the
// tick count divided by 1000, rounded down; the fraction left over carries into the next wait,
// so nothing drifts however long the timeline runs.
class VirtualClock : public Clock {
public:
    explicit VirtualClock(uint32_t rate, uint32_t seed = 0) : rate_(rate), seed_(seed) {}

    // Zero or negative waits do not move time, as with the real clock.
    void sleep(int32_t ms) override;
    double now() const override;
    // Virtual time never falls behind its own schedule.
    double logicalNow() const override { return now(); }
    void catchUp() override {}
    // The seed plus the samples passed so far: the same seed gives the same groups, and later
    // readings differ as a real counter's would.
    uint64_t seedTicks() override { return seed_ + static_cast<uint64_t>(position()); }

    // A sound of `samples` samples has passed.
    void advanceSamples(int64_t samples) { ticks_ += samples * kTicksPerSample; }
    // The sample at which whatever happens now starts.
    int64_t position() const { return ticks_ / kTicksPerSample; }
    uint32_t rate() const { return rate_; }

    static constexpr int64_t kTicksPerSample = 1000;

private:
    uint32_t rate_;
    uint32_t seed_;
    int64_t ticks_ = 0;
};

} // namespace kelvatron
