#include "render/chainedsink.h"

#include <algorithm>
#include <cmath>

namespace kelvatron {

void ChainedSink::pass(std::span<const int16_t> samples, bool dry) {
    if (!chain_ || chain_->empty()) {
        sink_.write(samples);
        position_ += static_cast<int64_t>(samples.size());
        return;
    }
    const float dryLevel = dry ? chain_->level() : 0;
    while (!samples.empty()) {
        const size_t count = std::min(samples.size(), kBlock);
        for (size_t i = 0; i < count; ++i)
            block_[i] = dry ? 0 : samples[i] / 32768.0f;
        chain_->process(std::span(block_.data(), count), position_);
        for (size_t i = 0; i < count; ++i)
            out_[i] = static_cast<int16_t>(std::clamp(
                std::lround((block_[i] + samples[i] / 32768.0f * dryLevel) * 32768.0f), -32768L,
                32767L));
        sink_.write(std::span<const int16_t>(out_.data(), count));
        position_ += static_cast<int64_t>(count);
        samples = samples.subspan(count);
    }
}

} // namespace kelvatron
