#pragma once
#include <cstdint>

namespace kelvatron {

class Clock;

// The program's pseudo-random generator: a 32-bit linear congruential generator
// (seed := seed * 134775813 + 1 mod 2^32). Transmission and exercise generation seed it from the
// clock; the tone generator's noise only draws from it.
//
// RandSeed is the state the program's own thread draws from. A thread that keys on its own (an
// export's worker) draws from a state of its own instead (OwnRandomState), so that it never
// writes the program's.
extern uint32_t RandSeed;

// The state the calling thread draws from: RandSeed unless an OwnRandomState is in force.
uint32_t& randomState();

// A whole number from 0 to range - 1: the upper 32 bits of the 64-bit product seed * range,
// after the seed has advanced. Random(0) is 0. Draws from the calling thread's state, or from
// the one given.
uint32_t Random(uint32_t range);
uint32_t Random(uint32_t& state, uint32_t range);

// Seeds the calling thread's state from the low 32 bits of the clock's high-resolution counter.
void Randomize(Clock& clock);

// While it lives, the thread that made it draws from this state (starting at 0) and not from
// the one before, which is its again afterwards. Made and destroyed on the same thread.
class OwnRandomState {
public:
    OwnRandomState();
    ~OwnRandomState();
    OwnRandomState(const OwnRandomState&) = delete;
    OwnRandomState& operator=(const OwnRandomState&) = delete;

    uint32_t seed = 0;

private:
    uint32_t* before_;
};

} // namespace kelvatron
