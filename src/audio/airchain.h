#pragma once
#include <cstdint>
#include <memory>

#include "audio/airconditions.h"
#include "audio/signalchain.h"

namespace kelvatron {

// The air's stages for the placed tones, in the order a receiver meets them: the wanted signal
// fades, other stations and crashes and noise join it, and the receiver's filter takes the sum.
// The noise's power is the tone's mean power while keyed (conditions.tonePower) over the SNR,
// measured after the filter. With anything added, the filter's output is scaled so that the
// tone's peak and three times the noise's deviation come to 0.6 of full scale (the volume comes
// after it, and noise and tone scale alike, so the SNR stays). Conditions that are off add no
// stage; all off (or not `on`) is an empty chain.
std::unique_ptr<SignalChain> makeAirChain(const AirConditions& conditions, uint32_t rate,
                                          uint32_t seed);

// A maker of the air for the placed tones' stream; the live tone's stream (the hand's own key)
// gets an empty chain.
SignalChainMaker airChainMaker(const AirConditions& conditions);

// The share of full scale the tone and the noise come to with anything added.
inline constexpr double kAirHeadroom = 0.6;

} // namespace kelvatron
