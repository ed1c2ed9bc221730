#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kelvatron {

// When the live stream rests, and where the key that wakes it is written. Writing silence a
// hundred times a second costs a resting program more than all else, so the stream rests a
// while after its last request or sound; the first key wakes it.
//
// A resting stream still holds what it had written beyond the frame it stopped at. The key is
// written over that, but not within what the server's device had mixed ahead of its sound when
// the stream was last heard: a stream that starts again joins the device's mix only from where
// the device can still take it back, so frames written there may be lost in part. The key goes
// after them, so nothing the wake writes is taken back. The device's lead is followed as its
// recent peak: an idle device that the stream wakes as it opens mixes far ahead for a while,
// so the stream runs its while from its first sound before it first rests, and the peak forgets
// that start.
class LiveRest {
public:
    explicit LiveRest(double restAfterMs, double largestAheadMs)
        : restAfterMs_(restAfterMs), largestAheadMs_(largestAheadMs) {}

    // A request came: even one whose tone is all mixed by the first write keeps the stream awake.
    void request(double nowMs) { lastActiveMs_ = nowMs; }
    // At every write: whether the timeline sounds or waits, and how far the device mixes ahead
    // of its sound now. True when the stream should rest.
    bool shouldRest(double nowMs, bool busy, double deviceAheadMs) {
        if (!started_) {
            // The stream's while after opening counts from its first sound, when the device's
            // lead is first known: the server may start it a second after its first write.
            if (deviceAheadMs <= 0) return false;
            started_ = true;
            lastActiveMs_ = lastMs_ = nowMs;
        }
        const double forgotten = std::max(0.0, nowMs - lastMs_) * kForgetMsPerSecond / 1000;
        aheadMs_ = std::max(std::min(deviceAheadMs, largestAheadMs_), aheadMs_ - forgotten);
        lastMs_ = nowMs;
        if (busy) lastActiveMs_ = nowMs;
        return nowMs - lastActiveMs_ >= restAfterMs_;
    }
    // The frame from which the wake writes: `leadMs` beyond what the device mixed ahead (its
    // recent peak, or what it holds now) after the frame the stream stopped at, and never
    // beyond what the stream holds. No more than `largestAheadMs` counts.
    int64_t wakeFrame(int64_t stoppedAt, int64_t written, double deviceAheadMs, double leadMs,
                      uint32_t rate) {
        const double aheadMs = std::min(std::max(aheadMs_, deviceAheadMs), largestAheadMs_);
        return std::min<int64_t>(written,
                                 stoppedAt + std::llround((aheadMs + leadMs) * rate / 1000));
    }

    // How fast the device's peak lead is forgotten: a device mixes ahead in pieces of a few
    // milliseconds, so the peak of the last tenth of a second is its lead.
    static constexpr double kForgetMsPerSecond = 50;

private:
    double restAfterMs_, largestAheadMs_;
    bool started_ = false;
    double lastActiveMs_ = 0, lastMs_ = 0;
    double aheadMs_ = 0;
};

} // namespace kelvatron
