#pragma once
#include <array>
#include <vector>

#include "audio/signalstage.h"

namespace kelvatron {

// A receiver's CW filter: an 8th-order Butterworth band-pass (four biquads) whose passband,
// `bandwidth` Hz wide, lies geometrically about the tone (low * high = tone^2, so a wide filter on
// a low tone stays above 0 Hz) with unit gain at the tone. Everything heard passes it: the wanted
// signal, the noise, the other stations and the crashes. Then `gain` leaves room for what was
// added, and the sound is held within -1..1.
//
// It is the one stage with a memory. It keeps what it was given for the last kHistory frames and
// its state at the start of each block, so that after a rewind it takes up its state at the
// rewound frame again by filtering the frames before it once more.
class ReceiverFilter : public SignalStage {
public:
    ReceiverFilter(double rate, double centreHz, double bandwidthHz, float gain = 1);
    // Before the chain is handed over.
    void setGain(float gain) { gain_ = gain; }

    void process(std::span<float> block, int64_t position) override;
    void rewound(int64_t position) override;

    // The output's power for white input of unit power: the sum of the squared impulse response.
    double noisePowerGain() const { return noiseGain_; }
    // The -3 dB edges of the passband, Hz.
    double lowHz() const { return lowHz_; }
    double highHz() const { return highHz_; }

    static constexpr int kSections = 4;
    static constexpr int64_t kHistory = 1 << 17; // 2.7 s at 48 kHz
    static constexpr size_t kSnapshots = 1024;

private:
    using State = std::array<double, 2 * kSections>;
    struct Snapshot {
        int64_t position = -1;
        State state{};
    };
    double filter(double x);

    std::array<std::array<double, 3>, kSections> sections_{}; // b0 (b1 = 0, b2 = -b0), a1, a2
    State state_{};
    float gain_;
    double noiseGain_ = 0, lowHz_ = 0, highHz_ = 0;
    std::vector<float> history_;
    std::vector<Snapshot> snapshots_;
    size_t nextSnapshot_ = 0;
};

} // namespace kelvatron
