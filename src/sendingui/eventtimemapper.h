#pragma once
#include <algorithm>
#include <optional>

namespace kelvatron {

// Puts the windowing system's event time stamps on the program's clock. An event reaches the
// program some time after its stamp, never before, so the smallest difference seen between the
// clock and a stamp is the best estimate of the offset between the two clocks; the stamps keep
// the exact spacing of the key edges that the event loop's delays would blur.
class EventTimeMapper {
public:
    // nowMs: the program's clock as the event is handled; stampMs: the event's own stamp, 0 when
    // the system gives none.
    double map(double stampMs, double nowMs) {
        if (stampMs <= 0) return nowMs;
        offset_ = std::min(offset_.value_or(nowMs - stampMs), nowMs - stampMs);
        return stampMs + *offset_;
    }

private:
    std::optional<double> offset_;
};

} // namespace kelvatron
