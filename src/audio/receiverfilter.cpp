#include "audio/receiverfilter.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace kelvatron {

using Complex = std::complex<double>;

// The analog prototype's poles are mapped to the band (s -> (s^2 + w0^2) / (B s)) on frequencies
// pre-warped for the bilinear transform, so that the tone's own frequency is the passband's centre
// exactly; each pole pair with its zeros at 0 Hz and at half the rate makes one biquad.
ReceiverFilter::ReceiverFilter(double rate, double centreHz, double bandwidthHz, float gain)
    : gain_(gain), history_(kHistory), snapshots_(kSnapshots) {
    const double pi = std::numbers::pi;
    centreHz = std::clamp(centreHz, 1.0, 0.45 * rate);
    const double w0 = 2 * rate * std::tan(pi * centreHz / rate);
    const double band = 2 * pi * bandwidthHz;
    const double low = (-band + std::sqrt(band * band + 4 * w0 * w0)) / 2;
    lowHz_ = std::atan(low / (2 * rate)) * rate / pi;
    highHz_ = std::atan((low + band) / (2 * rate)) * rate / pi;
    int section = 0;
    for (int k = 0; k < kSections; ++k) {
        const Complex p = std::polar(1.0, pi * (2 * k + kSections + 1) / (2 * kSections));
        const Complex a = p * band, d = std::sqrt(a * a - 4 * w0 * w0);
        for (const Complex s : {(a + d) / 2.0, (a - d) / 2.0}) {
            if (s.imag() <= 0) continue;
            const Complex z = (2 * rate + s) / (2 * rate - s);
            sections_[section++] = {1, -2 * z.real(), std::norm(z)};
        }
    }
    // Unit gain at the tone, shared out evenly among the sections.
    const Complex e = std::polar(1.0, -2 * pi * centreHz / rate);
    Complex response = 1;
    for (const auto& [b0, a1, a2] : sections_)
        response *= (1.0 - e * e) / (1.0 + a1 * e + a2 * e * e);
    const double scale = std::pow(1 / std::abs(response), 1.0 / kSections);
    for (auto& s : sections_)
        s[0] = scale;
    double sum = 0;
    for (int64_t n = 0; n < static_cast<int64_t>(rate) * 4; ++n) {
        const double y = filter(n == 0 ? 1.0 : 0.0);
        sum += y * y;
    }
    noiseGain_ = sum;
    state_ = {};
}

double ReceiverFilter::filter(double x) {
    for (int i = 0; i < kSections; ++i) {
        const auto& [b0, a1, a2] = sections_[static_cast<size_t>(i)];
        double& s1 = state_[static_cast<size_t>(2 * i)];
        double& s2 = state_[static_cast<size_t>(2 * i + 1)];
        const double y = b0 * x + s1;
        s1 = -a1 * y + s2;
        s2 = -b0 * x - a2 * y;
        x = y;
    }
    return x;
}

void ReceiverFilter::process(std::span<float> block, int64_t position) {
    snapshots_[nextSnapshot_] = {position, state_};
    nextSnapshot_ = (nextSnapshot_ + 1) % kSnapshots;
    for (size_t i = 0; i < block.size(); ++i) {
        history_[static_cast<size_t>((position + static_cast<int64_t>(i)) & (kHistory - 1))] = block[i];
        const auto y = static_cast<float>(filter(block[i])) * gain_;
        block[i] = std::clamp(y, -1.0f, 1.0f);
    }
}

// The latest block start at or before the frame whose frames since are still held.
void ReceiverFilter::rewound(int64_t position) {
    const Snapshot* from = nullptr;
    for (size_t back = 1; back <= kSnapshots; ++back) {
        const Snapshot& s = snapshots_[(nextSnapshot_ + kSnapshots - back) % kSnapshots];
        if (s.position < 0 || position - s.position >= kHistory) break;
        if (s.position <= position) {
            from = &s;
            break;
        }
    }
    if (!from) {
        state_ = {};
        return;
    }
    state_ = from->state;
    for (int64_t n = from->position; n < position; ++n)
        filter(history_[static_cast<size_t>(n & (kHistory - 1))]);
}

} // namespace kelvatron
