#include "platform/systemclock.h"

#include <chrono>
#include <thread>

namespace kelvatron {

namespace {
using SteadyClock = std::chrono::steady_clock;
// The kernel wakes a sleeping thread up to a few milliseconds late on a busy machine, and every
// late wake lengthens a silence of the keyed rhythm. So the thread sleeps until shortly before
// the deadline and yields the last stretch away in short turns.
constexpr auto kFinalStretch = std::chrono::microseconds(1500);
} // namespace

void SystemClock::sleep(int32_t ms) {
    if (ms <= 0) return;
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(ms);
    if (std::chrono::milliseconds(ms) > kFinalStretch) std::this_thread::sleep_until(deadline - kFinalStretch);
    while (SteadyClock::now() < deadline) std::this_thread::yield();
}

double SystemClock::now() const {
    using namespace std::chrono;
    return duration<double, std::milli>(SteadyClock::now().time_since_epoch()).count();
}

uint64_t SystemClock::seedTicks() {
    return static_cast<uint64_t>(SteadyClock::now().time_since_epoch().count());
}

} // namespace kelvatron
