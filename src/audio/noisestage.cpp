#include "audio/noisestage.h"

#include <cmath>

#include "audio/counterrandom.h"

namespace kelvatron {

NoiseStage::NoiseStage(uint32_t seed, double power)
    : stream_(randomStream(seed, 1)), scale_(static_cast<float>(std::sqrt(3 * power))) {}

void NoiseStage::process(std::span<float> block, int64_t position) {
    for (size_t i = 0; i < block.size(); ++i)
        block[i] += scale_ * uniformAt(stream_, position + static_cast<int64_t>(i));
}

} // namespace kelvatron
