#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "exercises/callsigngenerator.h"

namespace kelvatron {

// One station answering the learner's CQ: its call, and how it sounds among the others.
struct PileupCaller {
    std::string call;
    double pitchHz = 0;
    int cpm = 0;             // its keying speed, signs per minute
    double level = 0;        // 0..1 of full scale
    int64_t startSample = 0; // where it starts, from the start of the pile-up's sound
};

struct PileupSettings {
    double centreHz = 700; // the learner's receiver is tuned here
    int cpm = 100;         // the callers' speeds lie around this one
    uint32_t rate = 44100;
};

// Callers sit on a grid of pitches kPileupPitchStepHz apart around the centre and start in slots
// kPileupStartStepMs apart, none sharing a pitch or a start, so every call can be told apart by
// ear with some practice; their speeds lie within -20..+25 % of the set speed and their levels
// within 0.35..1.
inline constexpr double kPileupPitchStepHz = 60;
inline constexpr int kPileupPitchSlots = 9; // centre ± 4 steps
inline constexpr int kPileupStartStepMs = 90;
inline constexpr int kPileupStartSlots = 10;
inline constexpr int kPileupMaxCallers = 4;

// count callers (1..kPileupMaxCallers) drawn with calls from `calls` and the rest from `state`.
std::vector<PileupCaller> drawPileupCallers(CallsignGenerator& calls, int count,
                                            const PileupSettings& settings, uint32_t& state);

// One more station joining `callers`, on a pitch none of them has.
PileupCaller drawNewcomer(CallsignGenerator& calls, const std::vector<PileupCaller>& callers,
                          const PileupSettings& settings, uint32_t& state);

// The callers calling again after one was worked: the same stations at their pitches, new
// starts, so the next one may come first.
void redrawStarts(std::vector<PileupCaller>& callers, const PileupSettings& settings,
                  uint32_t& state);

} // namespace kelvatron
