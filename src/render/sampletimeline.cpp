#include "render/sampletimeline.h"

namespace kelvatron {

SampleTimeline::SampleTimeline(SampleSink& sink, ToneFormat format, uint32_t seed)
    : clock_(format.rate(), seed), device_(clock_, sink), toneGen_(device_) {
    toneGen_.setQuality(format.quality);
    toneGen_.setResolution(format.resolution);
    // Every play waits for its tone to end, as the sign player keys.
    toneGen_.setAsync(false);
}

} // namespace kelvatron
