#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/clock.h"

namespace kelvatron::test {

// A clock that never waits: sleep() moves time on and records the wait. Logical time follows
// the waits exactly; wakeLate() lets real time run ahead of it, as a busy machine does.
class FakeClock : public Clock {
public:
    void sleep(int32_t ms) override {
        if (onSleep) onSleep();
        sleeps.push_back(ms);
        log.push_back("sleep " + std::to_string(ms));
        if (ms <= 0) return;
        // A test that set the time back starts the schedule there.
        if (logical > time || time - logical > kMaxLagMs) logical = time;
        logical += ms;
        time = std::max(time, logical);
    }
    double now() const override { return time; }
    double logicalNow() const override { return std::min(logical, time); }
    void catchUp() override { logical = time; }
    uint64_t seedTicks() override {
        if (onSeed) onSeed();
        return ticks;
    }

    // Time passes as planned (a synchronous tone): both clocks move.
    void advance(double ms) {
        time += ms;
        logical += ms;
    }
    // The waiting thread woke ms late: only real time moves.
    void wakeLate(double ms) { time += ms; }
    // The speaker's beeps in the log.
    int beeps() const {
        return int(std::ranges::count_if(log, [](const auto& l) { return l.starts_with("beep"); }));
    }

    static constexpr double kMaxLagMs = 100;

    double time = 0;
    double logical = 0;
    uint64_t ticks = 12345;
    // Called as a wait begins and as the generator is seeded: a test looks at the run then.
    std::function<void()> onSleep, onSeed;
    std::vector<int32_t> sleeps; // every sleep asked for, in order, including 0 and negative ones
    // One line per wait, and per tone or beep of the fakes that share this clock, in order:
    // "sleep 40", "tone 20" (sound card, ms), "beep 800 40" (speaker, Hz and ms),
    // "key down 800", "key up" (the hand's live tone).
    std::vector<std::string> log;
};

} // namespace kelvatron::test
