#pragma once
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace kelvatron {

// Maps wall time to positions on an output stream's own sample timeline, following the device's
// clock rather than the nominal rate alone.
//
// Each time the device asks for a block, the wall time and the block's first frame give one
// reading of "the wall time at which frame 0 was due". Blocks are asked for late (scheduling)
// but never early once the stream runs, so the lowest reading of the last second is the truest.
// Blocks that follow the previous one by less than half a block's length are the device filling
// its buffer (at start, or catching up) and are not readings; nor is the first block, which is
// asked for when the stream is opened, before the device runs. The estimate
// follows that floor down at once (a device running fast), creeps up towards it slowly (a device
// running slow), and jumps up only when the whole last second stayed far above it (the first
// blocks of a new stream, or a device that stalled). So the silences between tones are neither
// shortened nor stretched by a block that merely came late.
class StreamClock {
public:
    // latencyMs must exceed one block's length: a sound placed that far ahead of "now" lands in a
    // block that has not been mixed yet.
    StreamClock(uint32_t rate, double latencyMs);

    // The device is about to mix the block that starts at stream frame `position`.
    void blockStarted(int64_t position, double wallMs);

    // The stream frame at which a sound asked for at wallMs starts; 0 (at once) before the first
    // reading.
    int64_t placement(double wallMs) const;
    // The same for a given estimate, as another thread computes it from a published origin.
    static int64_t placement(double wallMs, double latencyMs, double originMs, uint32_t rate) {
        return std::llround((wallMs + latencyMs - originMs) * rate / 1000.0);
    }

    bool running() const { return running_; }
    double latencyMs() const { return latencyMs_; }
    // Wall time at which frame 0 was due, as estimated now.
    double originMs() const { return originMs_; }

    // How far back readings count for the floor.
    static constexpr double kWindowMs = 1000;
    // How fast the estimate may rise, in ms per ms of wall time: a device this much slower than
    // its nominal rate is followed without the latency growing.
    static constexpr double kRiseRate = 0.0005;
    // A floor this far above the estimate is taken at once.
    static constexpr double kMaxLagMs = 20;

private:
    struct Reading {
        double wallMs, originMs;
    };
    double floorMs(double reading, double wallMs);

    uint32_t rate_;
    double latencyMs_;
    bool running_ = false;
    double originMs_ = 0;
    double lastWallMs_ = 0;
    bool anyBlock_ = false;
    int64_t lastPosition_ = 0;
    double lastBlockWallMs_ = 0;
    // Increasing in both wall time and reading: front is the floor. A fixed ring, as the sound
    // thread must not allocate; a second of the smallest blocks fits many times over.
    static constexpr size_t kWindowSlots = 1024;
    std::array<Reading, kWindowSlots> window_{};
    size_t front_ = 0, count_ = 0;
    Reading& back() { return window_[(front_ + count_ - 1) % kWindowSlots]; }
};

} // namespace kelvatron
