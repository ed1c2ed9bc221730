#include "core/random.h"
#include "core/clock.h"

namespace kelvatron {

uint32_t RandSeed = 0;

uint32_t Random(uint32_t range) {
    RandSeed = RandSeed * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(RandSeed) * range) >> 32);
}

void Randomize(Clock& clock) { RandSeed = static_cast<uint32_t>(clock.seedTicks()); }

} // namespace kelvatron
