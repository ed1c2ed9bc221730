#include "audio/fadingstage.h"

#include <cmath>
#include <numbers>

#include "audio/counterrandom.h"

namespace kelvatron {

// A Gaussian window of sigma points has the power response exp(-(2 pi f sigma / R)^2) at control
// rate R; half at the fading rate when sigma = sqrt(ln 2) R / (2 pi rate).
FadingStage::FadingStage(uint32_t seed, double rate, double fadingHz)
    : stream_(randomStream(seed, 2)), pointsPerFrame_(kPointsPerRate * fadingHz / rate) {
    const double sigma = std::sqrt(std::numbers::ln2) * kPointsPerRate / (2 * std::numbers::pi);
    double sum = 0;
    for (int i = -kHalfWindow; i <= kHalfWindow; ++i) {
        const double w = std::exp(-0.5 * (i / sigma) * (i / sigma));
        window_[i + kHalfWindow] = w;
        sum += w * w;
    }
    // Each point is a sum of complex Gaussians of mean power 1 (1/2 in each part).
    for (double& w : window_)
        w /= std::sqrt(2 * sum);
}

std::complex<double> FadingStage::point(int64_t index) {
    std::complex<double> h;
    for (int i = -kHalfWindow; i <= kHalfWindow; ++i) {
        const int64_t at = index + i;
        h += window_[i + kHalfWindow] *
             std::complex<double>(gaussianAt(stream_, 2 * at), gaussianAt(stream_, 2 * at + 1));
    }
    return h;
}

float FadingStage::gainAt(int64_t frame) {
    const double t = static_cast<double>(frame) * pointsPerFrame_;
    const auto index = static_cast<int64_t>(std::floor(t));
    if (index != cachedIndex_) {
        cached_[0] = index == cachedIndex_ + 1 ? cached_[1] : point(index);
        cached_[1] = point(index + 1);
        cachedIndex_ = index;
    }
    const double f = t - static_cast<double>(index);
    return static_cast<float>(std::abs(cached_[0] + f * (cached_[1] - cached_[0])));
}

void FadingStage::process(std::span<float> block, int64_t position) {
    for (size_t i = 0; i < block.size(); ++i) {
        const int64_t frame = position + static_cast<int64_t>(i);
        const int64_t grid = frame / kGrid;
        if (grid != gridIndex_) {
            gridGain_[0] = grid == gridIndex_ + 1 ? gridGain_[1] : gainAt(grid * kGrid);
            gridGain_[1] = gainAt((grid + 1) * kGrid);
            gridIndex_ = grid;
        }
        const float f = static_cast<float>(frame - grid * kGrid) * (1.0f / kGrid);
        block[i] *= gridGain_[0] + f * (gridGain_[1] - gridGain_[0]);
    }
}

} // namespace kelvatron
