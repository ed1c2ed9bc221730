#pragma once

namespace kelvatron {

// Follows the wall time at which frame 0 of a stream sounds (its origin), from readings of the
// sound server's playback clock: each says "at wall time w the stream had played p ms".
//
// A stream that keeps playing through an underrun (silence, its read position moving on) stays
// tied to the device's clock, so the true origin only drifts as the device's clock drifts from
// the wall clock, by a fraction of a millisecond a second. The readings are noisier than that.
// So the estimate starts at the first reading and then moves towards each reading by no more
// than kSlewMsPerSecond of wall time: the drift is followed, and the noise moves a tone by a few
// hundredths of a millisecond across a silence. Only readings that stay far off for a while
// (the device stalled, or the stream moved to another device) are taken at once.
class PlaybackOrigin {
public:
    void reading(double wallMs, double playedMs);

    bool known() const { return known_; }
    double originMs() const { return originMs_; }
    // Wall time of the first reading or of the last jump: the readings have agreed since.
    double agreedSinceMs() const { return agreedSinceMs_; }

    static constexpr double kSlewMsPerSecond = 0.2;
    static constexpr double kJumpMs = 5;
    static constexpr double kJumpAfterMs = 200;

private:
    bool known_ = false;
    double originMs_ = 0;
    double lastWallMs_ = 0;
    double agreedSinceMs_ = 0;
    double farSinceMs_ = -1; // wall time since which the readings have been far off, or -1
};

} // namespace kelvatron
