#include "platform/systemclock.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "core/terminationrequest.h"

namespace kelvatron {

namespace {
using SteadyClock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;
// The kernel wakes a sleeping thread up to a few milliseconds late on a busy machine. So the
// thread sleeps until shortly before the deadline and yields the last stretch away in short
// turns; what lateness remains is made up by the next wait, which ends on the schedule.
constexpr auto kFinalStretch = std::chrono::microseconds(1500);
// How long a wait sleeps before it looks at the termination request again.
constexpr auto kNap = std::chrono::milliseconds(20);
} // namespace

// A wait ends early once the program has been asked to end, looking at the request between
// short naps; the schedule moves on by the whole wait all the same.
void SystemClock::sleep(int32_t ms) {
    if (ms <= 0) return;
    const double start = now();
    if (start - logical_ > kMaxLagMs) logical_ = start;
    logical_ += ms;
    const auto deadline =
        SteadyClock::time_point(std::chrono::duration_cast<SteadyClock::duration>(Ms(logical_)));
    while (deadline - SteadyClock::now() > kFinalStretch) {
        if (terminationRequested()) return;
        std::this_thread::sleep_until(
            std::min(deadline - kFinalStretch, SteadyClock::now() + kNap));
    }
    while (SteadyClock::now() < deadline && !terminationRequested())
        std::this_thread::yield();
}

double SystemClock::now() const {
    return Ms(SteadyClock::now().time_since_epoch()).count();
}

uint64_t SystemClock::seedTicks() {
    return static_cast<uint64_t>(SteadyClock::now().time_since_epoch().count());
}

} // namespace kelvatron
