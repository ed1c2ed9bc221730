#pragma once
#include <cstdint>
#include <memory>

#include "audio/airconditions.h"
#include "audio/signalchain.h"

namespace kelvatron {

// The air's stages for the placed tones, in the order a receiver meets them: the wanted signal
// fades, other stations and crashes and noise join it, and the receiver's filter takes the sum.
// The noise's power is the tone's mean power while keyed (conditions.tonePower) over the SNR,
// measured after the filter. With any condition on, the filter's output is scaled so that the
// loudest the sum comes to (seldom exceeded) lies at 0.6 of full scale: the tone's peak (twice it
// when it fades: a Rayleigh envelope of mean power 1 passes 2 only 2 % of the time and 3.3, where
// it would clip, once in 60 000), the two loudest other stations and three times the noise's
// deviation; crashes may clip, as they do in a receiver. The volume comes after it, and
// everything scales alike, so the SNR stays. Conditions that are off add no stage; all off (or
// not `on`) is an empty chain.
std::unique_ptr<SignalChain> makeAirChain(const AirConditions& conditions, uint32_t rate,
                                          uint32_t seed);

// A maker of the air for the placed tones' stream; the live tone's stream (the hand's own key)
// gets an empty chain.
SignalChainMaker airChainMaker(const AirConditions& conditions);

// The share of full scale the loudest sum comes to with any condition on.
inline constexpr double kAirHeadroom = 0.6;
// The fading envelope's peak allowed for, as a share of its mean (RMS) level.
inline constexpr double kFadingPeak = 2;

} // namespace kelvatron
