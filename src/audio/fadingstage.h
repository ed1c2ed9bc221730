#pragma once
#include <complex>
#include <cstdint>

#include "audio/signalstage.h"

namespace kelvatron {

// Rayleigh fading of the wanted signal: its samples are multiplied by |h(t)|, where h is complex
// Gaussian noise low-pass filtered to the fading rate. h is drawn at a control rate of 32 points
// per fading rate and filtered there by a Gaussian window whose power response is half at the
// rate, (|W(f)|^2 = 2^-(f/rate)^2), scaled so that the mean of |h|^2 is 1: the signal's mean power
// stays as it was while its envelope wanders from deep fades (to nothing) to peaks above it.
// Between control points h is interpolated linearly, and |h| is taken every kGrid frames and
// interpolated between. Everything follows from the seed and the frame's position alone, so the
// stage keeps no state but a small cache.
class FadingStage : public SignalStage {
public:
    FadingStage(uint32_t seed, double rate, double fadingHz);
    void process(std::span<float> block, int64_t position) override;

    // |h| at a frame.
    float gainAt(int64_t frame);

    static constexpr int kPointsPerRate = 32;
    static constexpr int kHalfWindow = 14;
    static constexpr int64_t kGrid = 64;

private:
    std::complex<double> point(int64_t index);

    uint64_t stream_;
    double pointsPerFrame_;
    double window_[2 * kHalfWindow + 1];
    int64_t cachedIndex_ = INT64_MIN / 2; // none yet: no index follows it
    std::complex<double> cached_[2];
    int64_t gridIndex_ = INT64_MIN / 2;
    float gridGain_[2] = {};
};

} // namespace kelvatron
