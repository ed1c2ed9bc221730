#pragma once
#include <cstdint>

namespace kelvatron {

// Which cycle a pulled stream asks its server for. A short cycle keeps keys quick, but a server
// cycle that starts late (a loaded machine, a busy virtual one, wakes real-time threads several
// milliseconds late) is followed by cycles back to back, and a stream that cannot answer each
// within a short cycle leaves a hole in its tone. So a late cycle switches the stream to the
// steady size, and it comes back to the quick one after a quiet spell.
//
// The sound thread only counts its late cycles (lateCycle()); choose() runs on a thread of its
// own now and then and keeps no clock of its own.
class CycleChoice {
public:
    struct Sizes {
        uint32_t quick = 128;
        uint32_t steady = 256; // equal to quick: never change
        // This long without a late cycle brings the quick size back.
        double quietMs = 30000;
    };

    explicit CycleChoice(Sizes sizes) : sizes_(sizes) {}

    // Whether a cycle that came `sinceLastMs` after the one before, which lasted `lastFrames`
    // frames at `rate`, came late: a whole cycle late, so that the server's next one is due at
    // once and follows it back to back. A few hundred microseconds are the wake of an idle
    // processor, which every stream meets and none hears.
    static bool lateCycle(double sinceLastMs, uint32_t lastFrames, uint32_t rate) {
        return lastFrames > 0 && sinceLastMs >= 2.0 * lastFrames * 1000.0 / rate;
    }

    // The size to ask for at `nowMs`, with `lateCycles` counted since the stream began.
    uint32_t choose(uint32_t lateCycles, double nowMs);

    uint32_t quick() const { return sizes_.quick; }

private:
    Sizes sizes_;
    uint32_t seenLate_ = 0;
    double lastLateMs_ = 0;
    bool steady_ = false;
};

} // namespace kelvatron
