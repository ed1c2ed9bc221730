#pragma once
#include <atomic>
#include <cstdint>

#include "audio/playbackorigin.h"
#include "audio/spscqueue.h"
#include "audio/timelinedevice.h"
#include "audio/tonetimeline.h"

namespace kelvatron {

// The sound thread's side of a stream that the server pulls in small cycles (PipeWire's node at
// a quantum of a few milliseconds): placed tones land on the frames they were placed at, and the
// hand's key and the prompt tones go into the next cycle, so nothing written needs taking back.
//
// Every cycle gives a reading of where the stream plays (the frame that sounds at a moment of
// the program's clock), which ties the stream's frames to that clock. A key edge that carries
// its moment sounds the key delay after it, so every edge is equally late and a tone lasts as
// long as its key was held: the up edge takes the origin its down edge was placed by, and a
// down edge whose frame is already mixed (it came late, or before the clock was known) moves
// the whole key to the first frame that can still sound, rather than cut its start.
//
// Placed tones and the hand's tones wait on timelines of their own (a timeline takes its changes
// in order of their frames, and a key comes for a frame before the placed tones already waiting),
// mixed into the one stream. The calling thread hands requests over through lock-free queues
// and reads the clock the sound thread publishes; the hand's tones follow the placed tones'
// volume through one queued change that takes the latest value.
class PulledStreamMixer {
public:
    PulledStreamMixer(uint32_t rate, uint32_t volume, ToneReturn* returns, double keyDelayMs)
        : rate_(rate), keyDelayMs_(keyDelayMs), returns_(returns), volume_(volume),
          placed_(rate, volume, returns), live_(rate, volume, returns) {}

    // The calling thread's side.
    bool pushPlaced(const TimelineEvent& event);
    bool pushLive(const TimelineEvent& event) { return liveRequests_.push(event); }
    // Wall time at which frame 0 sounds, and whether the readings have agreed for a while.
    double publishedOriginMs() const { return originMs_.load(std::memory_order_relaxed); }
    bool settled() const { return settled_.load(std::memory_order_acquire); }
    // How far ahead of the sound the last cycle was mixed, in frames.
    int64_t aheadFrames() const { return ahead_.load(std::memory_order_relaxed); }
    // The size of the last cycle, in frames: the quantum the server runs the stream at.
    uint32_t lastCycleFrames() const { return lastCycle_.load(std::memory_order_relaxed); }

    // One cycle: `playingFrame` sounds at `nowMs` (negative while the server cannot say), then
    // `frames` interleaved stereo frames are mixed into `out` from the first not yet written.
    void cycle(float* out, int frames, double nowMs, double playingFrame);

    // With the sound thread stopped: hands back every request and tone still held.
    void releaseAll();

    int64_t written() const { return written_; }

    // The hand's tones are mixed in pieces of at most this many frames.
    static constexpr int kPieceFrames = 1024;

    // The readings must agree this long before placed tones count on them.
    static constexpr double kSettleMs = 1000;

private:
    void drain(SpscQueue<TimelineEvent, TimelineSoundDevice::kSlots>& requests,
               ToneTimeline& timeline);
    void placeKey(TimelineEvent& key);
    void publish(double nowMs, double playingFrame);

    const uint32_t rate_;
    const double keyDelayMs_;
    ToneReturn* const returns_;
    SpscQueue<TimelineEvent, TimelineSoundDevice::kSlots> placedRequests_, liveRequests_;
    std::atomic<uint32_t> volume_;
    std::atomic<bool> volumeQueued_{false};
    std::atomic<double> originMs_{0};
    std::atomic<bool> settled_{false};
    std::atomic<int64_t> ahead_{0};
    std::atomic<uint32_t> lastCycle_{0};

    // The sound thread's own.
    ToneTimeline placed_, live_;
    float piece_[2 * kPieceFrames] = {};
    PlaybackOrigin origin_;
    int64_t written_ = 0;
    double keyOriginMs_ = 0; // the origin the held key's down edge was placed by
    bool keyPlaced_ = false;
};

} // namespace kelvatron
