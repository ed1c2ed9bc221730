#include "render/sampletimeline.h"

namespace kelvatron {

SampleTimeline::SampleTimeline(SampleSink& sink, ToneFormat format, uint32_t seed,
                               std::unique_ptr<SignalChain> chain)
    : clock_(format.rate(), seed), chained_(sink, std::move(chain)), device_(clock_, chained_),
      toneGen_(device_, group_) {
    toneGen_.setQuality(format.quality);
    toneGen_.setResolution(format.resolution);
    // Every play waits for its tone to end, as the sign player keys.
    toneGen_.setAsync(false);
}

} // namespace kelvatron
