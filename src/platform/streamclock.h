#pragma once
#include <cstdint>

namespace kelvatron {

// Maps wall time to positions on an output stream's own sample timeline, following the device's
// clock rather than the nominal rate alone.
//
// Each time the device asks for a block, the wall time and the block's first frame give one
// reading of "the wall time at which frame 0 was due". Blocks are never asked for early, only
// late (scheduling), so the earliest reading is the truest; the estimate follows new lows at
// once and otherwise creeps up slowly, so a device that runs fast or slow is followed without
// jumps that would shorten or stretch the silences between tones.
class StreamClock {
public:
    // latencyMs must exceed one block's length: a sound placed that far ahead of "now" lands in a
    // block that has not been mixed yet.
    StreamClock(uint32_t rate, double latencyMs);

    // The device is about to mix the block that starts at stream frame `position`.
    void blockStarted(int64_t position, double wallMs);

    // The stream frame at which a sound asked for at wallMs starts; 0 before the first block.
    int64_t placement(double wallMs) const;

    bool running() const { return running_; }
    double latencyMs() const { return latencyMs_; }
    // Wall time at which frame 0 was due, as estimated now.
    double originMs() const { return originMs_; }

    // How fast the estimate may rise, in ms per ms of wall time (a device this much slower than
    // its nominal rate is still followed without the latency growing).
    static constexpr double kRiseRate = 0.0005;
    // A reading later than the estimate by more than this pulls it up at once (a stalled device
    // that resumes).
    static constexpr double kMaxLagMs = 250;

private:
    uint32_t rate_;
    double latencyMs_;
    bool running_ = false;
    double originMs_ = 0;
    double lastWallMs_ = 0;
};

} // namespace kelvatron
