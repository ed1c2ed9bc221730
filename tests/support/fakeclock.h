#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/clock.h"

namespace kelvatron::test {

// A clock that never waits: sleep() moves time on and records the wait.
class FakeClock : public Clock {
public:
    void sleep(int32_t ms) override {
        sleeps.push_back(ms);
        log.push_back("sleep " + std::to_string(ms));
        if (ms > 0) time += ms;
    }
    double now() const override { return time; }
    uint64_t seedTicks() override { return ticks; }

    void advance(double ms) { time += ms; }

    double time = 0;
    uint64_t ticks = 12345;
    std::vector<int32_t> sleeps; // every sleep asked for, in order, including 0 and negative ones
    // One line per wait, and per tone or beep of the fakes that share this clock, in order:
    // "sleep 40", "tone 20" (sound card, ms), "beep 800 40" (speaker, Hz and ms).
    std::vector<std::string> log;
};

} // namespace kelvatron::test
