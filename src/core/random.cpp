#include "core/random.h"
#include "core/clock.h"

namespace kelvatron {

uint32_t RandSeed = 0;

namespace {
thread_local uint32_t* threadState = &RandSeed;
} // namespace

uint32_t& randomState() {
    return *threadState;
}

uint32_t Random(uint32_t& state, uint32_t range) {
    state = state * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(state) * range) >> 32);
}

uint32_t Random(uint32_t range) {
    return Random(*threadState, range);
}

void Randomize(Clock& clock) { *threadState = static_cast<uint32_t>(clock.seedTicks()); }

OwnRandomState::OwnRandomState() : before_(threadState) {
    threadState = &seed;
}

OwnRandomState::~OwnRandomState() {
    threadState = before_;
}

} // namespace kelvatron
