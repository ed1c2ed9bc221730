#pragma once
#include <array>
#include <cstdint>

#include "audio/signalstage.h"

namespace kelvatron {

// Static crashes (QRN): bursts of noise that rise in a millisecond and die away, scattered at
// random. Strength s = percent / 100 sets both how often (on average 6 s a second) and how loud
// (a peak deviation of (0.25 + 1.75u) s times `level`, u uniform 0..1: the chain gives the tone's
// amplitude over the filter's noise gain, so that the crash's deviation after the filter is that
// share of the tone's amplitude, whatever the bandwidth); each dies away with its own
// time constant of 3..33 ms and ends after five of them. Time is cut into slots of 20 ms, and
// whether a slot starts a crash, where and how, follows from the seed and the slot's number.
class CrashStage : public SignalStage {
public:
    CrashStage(uint32_t seed, double rate, double percent, double level);
    void process(std::span<float> block, int64_t position) override;

    static constexpr double kSlotSeconds = 0.02, kPerSecond = 6;

private:
    struct Crash {
        int64_t start = 0, end = 0;
        float peak = 0, decayPerFrame = 0;
    };
    bool crashOf(int64_t slot, Crash& crash) const;

    uint64_t stream_, noise_;
    double rate_, strength_, amplitude_;
    int64_t slotFrames_, lookback_;
    float attackFrames_;
    std::array<Crash, 16> active_{};
};

} // namespace kelvatron
