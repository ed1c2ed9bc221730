#pragma once
#include <cstdint>

namespace kelvatron {

// Time as the program sees it. Every wait and every time stamp goes through here, so tests run a
// whole transmission against a fake clock in microseconds of real time.
//
// Besides real time the clock keeps the program's own schedule, its logical time: each
// sleep(ms) moves it on by exactly ms, however late the waiting thread woke, and the wait ends
// when real time reaches it. So a late wake shortens the next wait instead of lengthening the
// rhythm, and the sound device places tones on the schedule rather than on the moment of asking.
// The schedule belongs to the thread that waits.
class Clock {
public:
    virtual ~Clock() = default;
    // A blocking wait that handles no key, click or timer (the real clock lets the window repaint
    // and answer a screen reader meanwhile, see SystemClock): moves the logical time on by ms and
    // returns when real time has reached it. Zero or negative waits return at once. A schedule
    // that has fallen far behind (a long stall) starts afresh from now, so a wait still waits.
    // Once the program has been asked to end (terminationrequest.h) a real wait ends early.
    virtual void sleep(int32_t ms) = 0;
    // Milliseconds since an arbitrary fixed point, monotonic.
    virtual double now() const = 0;
    // The logical time, in the same milliseconds as now(); never ahead of the last wait's end.
    virtual double logicalNow() const = 0;
    // Starts the schedule afresh from now(): the program fell behind by more than its sounds can
    // absorb (a long pause, a blocked window).
    virtual void catchUp() = 0;
    // The high-resolution counter whose low 32 bits seed the random generator.
    virtual uint64_t seedTicks() = 0;
};

} // namespace kelvatron
