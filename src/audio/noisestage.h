#pragma once
#include <cstdint>

#include "audio/signalstage.h"

namespace kelvatron {

// Adds white noise of the given power, the same at a frame whatever came before (it is drawn
// from the seed and the frame's position).
class NoiseStage : public SignalStage {
public:
    NoiseStage(uint32_t seed, double power);
    void process(std::span<float> block, int64_t position) override;

private:
    uint64_t stream_;
    float scale_; // uniform -1..1 has power 1/3
};

} // namespace kelvatron
