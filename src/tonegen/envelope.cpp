#include "tonegen/envelope.h"

#include <algorithm>

namespace kelvatron {

namespace {

int64_t truncTo64(double value) {
    return static_cast<int64_t>(value);
}

// Runs newValue(j, old) over the samples p .. p + n.
template <typename NewValue>
void shapeStretch(std::span<uint8_t> samples, uint64_t dataLength, int bytesPerSample, int64_t p,
                  int64_t n, NewValue newValue) {
    if (bytesPerSample == 1) {
        // 8-bit samples are unsigned around 128; the stretch never reaches past the first
        // spare byte.
        const auto last = static_cast<int64_t>(dataLength);
        for (int64_t at = std::min(p, last); at <= std::min(last, p + n); ++at) {
            auto& byte = samples[static_cast<size_t>(at)];
            byte = static_cast<uint8_t>(newValue(at - p, int64_t{byte} - 128) + 128);
        }
        return;
    }
    for (int64_t j = 0; j <= n; ++j) {
        const auto at = static_cast<size_t>(2 * (p + j));
        if (at + 1 >= samples.size()) break; // keeps the block's end even if the shares misbehave
        const auto old = static_cast<int16_t>(samples[at] | (samples[at + 1] << 8));
        const auto bits = static_cast<uint16_t>(newValue(j, int64_t{old}));
        samples[at] = static_cast<uint8_t>(bits);
        samples[at + 1] = static_cast<uint8_t>(bits >> 8);
    }
}

// Shares above 100 % in total are scaled down so that the three stages fill the tone exactly.
EnvelopeShares scaledShares(EnvelopeShares s) {
    const int total = s.attack + s.decay + s.release;
    if (total > 100) {
        s.attack = s.attack * 100 / total;
        s.decay = s.decay * 100 / total;
        s.release = 100 - (s.attack + s.decay);
    }
    return s;
}

} // namespace

void applyEnvelope(std::span<uint8_t> samples, uint64_t dataLength, int bytesPerSample,
                   EnvelopeShares shares) {
    const EnvelopeShares s = scaledShares(shares);
    const auto length = static_cast<int64_t>(dataLength);
    const int64_t count = length / bytesPerSample;
    auto stageLength = [&](int64_t share) { return share * length / (bytesPerSample * 100); };
    auto stretch = [&](int64_t p, int64_t n, auto newValue) {
        shapeStretch(samples, dataLength, bytesPerSample, p, n, newValue);
    };

    const int64_t sustainShare = 100 - (s.attack + s.decay + s.release);
    // Without a sustain stretch there is no level to hold: decay falls to silence.
    const int64_t sustain = stageLength(sustainShare) < 1 ? 0 : s.sustain;
    const double level = static_cast<double>(sustain) / 100.0;
    int64_t p = 0;

    if (int64_t n = stageLength(s.attack); s.attack != 0 && n != 0) {
        const double f = 1.0 / static_cast<double>(n);
        stretch(p, n, [f](int64_t j, int64_t old) { return truncTo64(double(j * old) * f); });
        p += n + 1;
    }
    if (int64_t n = stageLength(s.decay); s.decay != 0 && n != 0) {
        const double f = static_cast<double>(100 - sustain) / static_cast<double>(n) / 100.0;
        stretch(p, n, [f](int64_t j, int64_t old) { return old - truncTo64(double(j * old) * f); });
        p += n + 1;
    }
    if (sustainShare != 0) {
        const int64_t n =
            s.release == 0 ? std::max<int64_t>(count - p, 0) : stageLength(sustainShare);
        stretch(p, n, [level](int64_t, int64_t old) { return truncTo64(double(old) * level); });
        p += n + 1;
    }
    if (int64_t n = std::max<int64_t>(count - p, 0); s.release != 0 && n != 0) {
        const double f = level / static_cast<double>(n);
        stretch(p, n,
                [f, n](int64_t j, int64_t old) { return truncTo64(double((n - j) * old) * f); });
    }
}

} // namespace kelvatron
