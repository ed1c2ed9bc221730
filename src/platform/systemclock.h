#pragma once
#include "core/clock.h"

namespace kelvatron {

// The wall clock: a steady clock for time stamps and waits, and the schedule the waits keep.
class SystemClock : public Clock {
public:
    void sleep(int32_t ms) override;
    double now() const override;
    double logicalNow() const override { return logical_; }
    void catchUp() override { logical_ = now(); }
    uint64_t seedTicks() override;

    // A schedule further behind than this when a wait starts is started afresh: the wait then
    // lasts its full length from now, as after a long stall it should.
    static constexpr double kMaxLagMs = 100;

private:
    double logical_ = 0;
};

} // namespace kelvatron
