#pragma once
#include <cstdint>

#include "audio/signalchain.h"
#include "render/chainedsink.h"
#include "render/recordingdevice.h"
#include "render/samplesink.h"
#include "render/virtualclock.h"
#include "tonegen/tonegen.h"
#include "tonegen/tonegengroup.h"

namespace kelvatron {

// The format of the tone generator's images: the window's generator keys 8-bit tones at the high
// rate (96000 Hz).
struct ToneFormat {
    TTGQuality quality = TTGQuality::tgHiQ;
    TTGResolution resolution = TTGResolution::tg8Bit;

    uint32_t rate() const { return quality == TTGQuality::tgHiQ ? 96000 : 44100; }
};

// A virtual clock, a device that records into a sink through a signal chain, and a tone
// generator playing into it: whatever keys through clock() and toneGen() (or device()) lands on
// the timeline exactly where the waits and tones put it. The generator is alone in its group,
// so the device volume it saves is nobody else's.
class SampleTimeline {
public:
    // chain: the stages the sound passes on its way to the sink; none leaves it as keyed.
    SampleTimeline(SampleSink& sink, ToneFormat format = {}, uint32_t seed = 0,
                   std::unique_ptr<SignalChain> chain = {});

    Clock& clock() { return clock_; }
    SoundDevice& device() { return device_; }
    TToneGen& toneGen() { return toneGen_; }
    uint32_t rate() const { return clock_.rate(); }
    // The sample at which the next tone would start.
    int64_t position() const { return clock_.position(); }
    // Ends the timeline (see RecordingDevice::finish); its length in samples.
    int64_t finish() { return device_.finish(); }

private:
    VirtualClock clock_;
    ChainedSink chained_;
    RecordingDevice device_;
    ToneGenGroup group_;
    TToneGen toneGen_;
};

} // namespace kelvatron
