#include "platform/systemclock.h"

#include <chrono>
#include <thread>

namespace kelvatron {

void SystemClock::sleep(int32_t ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

double SystemClock::now() const {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

uint64_t SystemClock::seedTicks() {
    return static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

} // namespace kelvatron
