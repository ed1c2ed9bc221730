#include "platform/systemclock.h"

#include <sys/prctl.h>
#include <time.h>

#include <cerrno>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "core/terminationrequest.h"

namespace kelvatron {

namespace {
using SteadyClock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;
// Sleeps until the absolute moment on the steady clock. The kernel rounds a sleeping thread's
// wake-up by its timer slack (50 microseconds by default); the waiting thread asks for none.
// Spinning the last stretch away instead costs the thread its claim on the processor on a busy
// machine, and it then wakes later, not earlier.
void sleepUntil(double deadlineMs) {
    static thread_local bool slackSet = false;
    if (!slackSet) {
        ::prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
        slackSet = true;
    }
    timespec at{};
    at.tv_sec = static_cast<time_t>(deadlineMs / 1000);
    at.tv_nsec = static_cast<long>(std::fmod(deadlineMs, 1000.0) * 1e6);
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

// How long a wait sleeps before it looks at the termination request again.
constexpr double kNapMs = 20;
} // namespace

// A wait ends early once the program has been asked to end, looking at the request between
// short naps; the schedule moves on by the whole wait all the same.
void SystemClock::sleep(int32_t ms) {
    if (ms <= 0) return;
    const double start = now();
    if (start - logical_ > kMaxLagMs) logical_ = start;
    logical_ += ms;
    // Work served meanwhile may wait itself and move the schedule; this wait keeps its own end.
    const double deadline = logical_;
    while (!terminationRequested()) {
        double left = deadline - now();
        if (left <= 0) break;
        if (left > kServeMarginMs && mayServe()) {
            serving_ = true;
            serve_();
            serving_ = false;
            left = deadline - now();
            if (left <= 0) break;
            if (left > kServeMarginMs) {
                sleepUntil(now() + std::min(kServeEveryMs, left - kServeMarginMs));
                continue;
            }
        }
        sleepUntil(deadline - std::max(0.0, left - kNapMs));
    }
}

void SystemClock::serveWhileWaiting(std::function<void()> serve) {
    servingThread_ = std::thread::id();
    serve_ = std::move(serve);
    if (serve_) servingThread_ = std::this_thread::get_id();
}

bool SystemClock::mayServe() const {
    return std::this_thread::get_id() == servingThread_.load(std::memory_order_relaxed) &&
           !serving_;
}

double SystemClock::now() const {
    return Ms(SteadyClock::now().time_since_epoch()).count();
}

uint64_t SystemClock::seedTicks() {
    return static_cast<uint64_t>(SteadyClock::now().time_since_epoch().count());
}

} // namespace kelvatron
