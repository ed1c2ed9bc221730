#pragma once
#include <cstdint>

namespace kelvatron {

// Time as the program sees it. Every wait and every time stamp goes through here, so tests run a
// whole transmission against a fake clock in microseconds of real time.
class Clock {
public:
    virtual ~Clock() = default;
    // A blocking wait that processes no window events. Zero or negative waits return at once.
    virtual void sleep(int32_t ms) = 0;
    // Milliseconds since an arbitrary fixed point, monotonic.
    virtual double now() const = 0;
    // The high-resolution counter whose low 32 bits seed the random generator.
    virtual uint64_t seedTicks() = 0;
};

} // namespace kelvatron
