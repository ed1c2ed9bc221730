#pragma once
#include <cstdint>
#include <vector>

#include "core/clock.h"

namespace kelvatron::test {

// A clock that never waits: sleep() moves time on and records the wait.
class FakeClock : public Clock {
public:
    void sleep(int32_t ms) override {
        sleeps.push_back(ms);
        if (ms > 0) time += ms;
    }
    double now() const override { return time; }
    uint64_t seedTicks() override { return ticks; }

    void advance(double ms) { time += ms; }

    double time = 0;
    uint64_t ticks = 12345;
    std::vector<int32_t> sleeps; // every sleep asked for, in order, including 0 and negative ones
};

} // namespace kelvatron::test
