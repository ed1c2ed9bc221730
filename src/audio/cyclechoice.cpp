#include "audio/cyclechoice.h"

namespace kelvatron {

uint32_t CycleChoice::choose(uint32_t lateCycles, double nowMs) {
    if (lateCycles != seenLate_) {
        seenLate_ = lateCycles;
        lastLateMs_ = nowMs;
        steady_ = true;
    } else if (steady_ && nowMs - lastLateMs_ >= sizes_.quietMs) {
        steady_ = false;
    }
    return steady_ ? sizes_.steady : sizes_.quick;
}

} // namespace kelvatron
