#pragma once
#include <cstdint>

namespace kelvatron {

class Clock;

// The program's one pseudo-random generator: a 32-bit linear congruential generator
// (seed := seed * 134775813 + 1 mod 2^32). Transmission and exercise generation seed it from the
// clock; the tone generator's noise only draws from it.
extern uint32_t RandSeed;

// A whole number from 0 to range - 1: the upper 32 bits of the 64-bit product seed * range,
// after the seed has advanced. Random(0) is 0.
uint32_t Random(uint32_t range);

// Seeds from the low 32 bits of the clock's high-resolution counter.
void Randomize(Clock& clock);

} // namespace kelvatron
