#pragma once
#include "core/clock.h"

namespace kelvatron {

// The wall clock: a steady clock for time stamps and waits.
class SystemClock : public Clock {
public:
    void sleep(int32_t ms) override;
    double now() const override;
    uint64_t seedTicks() override;
};

} // namespace kelvatron
