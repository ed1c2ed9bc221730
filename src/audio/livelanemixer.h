#pragma once
#include <atomic>
#include <cstdint>

#include "audio/playbackorigin.h"
#include "audio/spscqueue.h"
#include "audio/timelinedevice.h"
#include "audio/tonetimeline.h"

namespace kelvatron {

// The sound thread's side of a live stream that the server pulls in small cycles (PipeWire's
// node at a quantum of a few milliseconds): the hand's key and the prompt tones go into the
// next cycle, so nothing written needs taking back and the stream never rests.
//
// Every cycle gives a reading of where the stream plays (the frame that sounds at a moment of
// the program's clock), which ties the stream's frames to that clock. A key edge that carries
// its moment sounds the key delay after it, so every edge is equally late and a tone lasts as
// long as its key was held: the up edge takes the origin its down edge was placed by, and a
// down edge whose frame is already mixed (it came late, or before the clock was known) moves
// the whole key to the first frame that can still sound, rather than cut its start.
//
// The calling thread hands requests over through requests() without a lock; the volume of the
// placed tones is followed through one queued change that takes the latest value.
class LiveLaneMixer {
public:
    LiveLaneMixer(uint32_t rate, uint32_t volume, ToneReturn* returns, double keyDelayMs)
        : rate_(rate), keyDelayMs_(keyDelayMs), returns_(returns), volume_(volume),
          timeline_(rate, volume, returns) {}

    // The calling thread's side.
    bool push(const TimelineEvent& event) { return requests_.push(event); }
    void followVolume(uint32_t volume);

    // One cycle: `playingFrame` sounds at `nowMs` (negative while the server cannot say), then
    // `frames` interleaved stereo frames are mixed into `out` from the first not yet written.
    void cycle(float* out, int frames, double nowMs, double playingFrame);

    // With the sound thread stopped: hands back every request and tone still held.
    void releaseAll();

    int64_t written() const { return written_; }
    bool clockKnown() const { return origin_.known(); }
    double originMs() const { return origin_.originMs(); }
    // The size of the last cycle, in frames: the quantum the server runs the stream at.
    uint32_t lastCycleFrames() const { return lastCycle_.load(std::memory_order_relaxed); }

private:
    void drainRequests();
    void placeKey(TimelineEvent& key);

    const uint32_t rate_;
    const double keyDelayMs_;
    ToneReturn* const returns_;
    SpscQueue<TimelineEvent, TimelineSoundDevice::kSlots> requests_;
    std::atomic<uint32_t> volume_;
    std::atomic<bool> volumeQueued_{false};
    std::atomic<uint32_t> lastCycle_{0};

    // The sound thread's own.
    ToneTimeline timeline_;
    PlaybackOrigin origin_;
    int64_t written_ = 0;
    double keyOriginMs_ = 0; // the origin the held key's down edge was placed by
    bool keyPlaced_ = false;
};

} // namespace kelvatron
