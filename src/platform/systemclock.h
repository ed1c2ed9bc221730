#pragma once
#include <atomic>
#include <functional>
#include <thread>

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

    // Work done while the calling thread waits in sleep(), every few milliseconds: the window's
    // thread answers a screen reader and repaints while a sign sounds. Only that thread's waits
    // call it, never its last few milliseconds (which stay exact) and never inside itself. An
    // empty function ends it.
    void serveWhileWaiting(std::function<void()> serve);

    // A schedule further behind than this when a wait starts is started afresh: the wait then
    // lasts its full length from now, as after a long stall it should.
    static constexpr double kMaxLagMs = 100;

    // How often a serving wait serves, and how close to its end it stops serving: work that
    // overran the end would delay the next tone.
    static constexpr double kServeEveryMs = 1;
    static constexpr double kServeMarginMs = 8;

private:
    bool mayServe() const;

    double logical_ = 0;
    // Other threads' waits read which thread serves; the rest belongs to that thread.
    std::atomic<std::thread::id> servingThread_{};
    std::function<void()> serve_;
    bool serving_ = false;
};

} // namespace kelvatron
