#include "render/virtualclock.h"

namespace kelvatron {

void VirtualClock::sleep(int32_t ms) {
    if (ms > 0) ticks_ += static_cast<int64_t>(ms) * rate_;
}

double VirtualClock::now() const {
    return static_cast<double>(ticks_) / rate_;
}

} // namespace kelvatron
