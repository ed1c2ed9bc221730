#include "platform/systemclock.h"

#include <chrono>
#include <thread>

namespace kelvatron {

namespace {
using SteadyClock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;
// The kernel wakes a sleeping thread up to a few milliseconds late on a busy machine. So the
// thread sleeps until shortly before the deadline and yields the last stretch away in short
// turns; what lateness remains is made up by the next wait, which ends on the schedule.
constexpr auto kFinalStretch = std::chrono::microseconds(1500);
} // namespace

void SystemClock::sleep(int32_t ms) {
    if (ms <= 0) return;
    const double start = now();
    if (start - logical_ > kMaxLagMs) logical_ = start;
    logical_ += ms;
    const auto deadline =
        SteadyClock::time_point(std::chrono::duration_cast<SteadyClock::duration>(Ms(logical_)));
    if (deadline - SteadyClock::now() > kFinalStretch)
        std::this_thread::sleep_until(deadline - kFinalStretch);
    while (SteadyClock::now() < deadline)
        std::this_thread::yield();
}

double SystemClock::now() const {
    return Ms(SteadyClock::now().time_since_epoch()).count();
}

uint64_t SystemClock::seedTicks() {
    return static_cast<uint64_t>(SteadyClock::now().time_since_epoch().count());
}

} // namespace kelvatron
