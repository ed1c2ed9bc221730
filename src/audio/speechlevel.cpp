#include "audio/speechlevel.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <numbers>

namespace kelvatron {

namespace {

// Stretches within this of the loudest hold sound.
constexpr double kHeldRange = 0.0316227766; // -30 dB

std::vector<double> stretchMeanSquares(std::span<const float> samples, uint32_t rate) {
    const auto length = std::max<size_t>(1, static_cast<size_t>(rate * kLevelStretchMs / 1000));
    std::vector<double> out;
    for (size_t start = 0; start < samples.size(); start += length) {
        const size_t end = std::min(samples.size(), start + length);
        double sum = 0;
        for (size_t i = start; i < end; ++i)
            sum += double(samples[i]) * samples[i];
        out.push_back(sum / double(end - start));
    }
    return out;
}

double lanczos(double x, double lobes) {
    if (x == 0) return 1;
    if (std::abs(x) >= lobes) return 0;
    const double px = std::numbers::pi * x;
    return lobes * std::sin(px) * std::sin(px / lobes) / (px * px);
}

// The smallest of values[i - radius .. i + radius], for every i (a monotonic queue).
std::vector<float> slidingMin(const std::vector<float>& values, size_t radius) {
    std::vector<float> out(values.size());
    std::deque<size_t> window;
    size_t next = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        for (; next < values.size() && next <= i + radius; ++next) {
            while (!window.empty() && values[window.back()] >= values[next])
                window.pop_back();
            window.push_back(next);
        }
        while (window.front() + radius < i)
            window.pop_front();
        out[i] = values[window.front()];
    }
    return out;
}

// The mean of values[i - radius .. i + radius] (the ends count as repeated).
std::vector<float> slidingMean(const std::vector<float>& values, size_t radius) {
    const auto n = static_cast<int64_t>(values.size());
    const auto r = static_cast<int64_t>(radius);
    auto at = [&](int64_t i) {
        return values[static_cast<size_t>(std::clamp<int64_t>(i, 0, n - 1))];
    };
    std::vector<float> out(values.size());
    double sum = 0;
    for (int64_t i = -r; i <= r; ++i)
        sum += at(i);
    for (int64_t i = 0; i < n; ++i) {
        out[static_cast<size_t>(i)] = static_cast<float>(sum / double(2 * r + 1));
        sum += at(i + r + 1) - at(i - r);
    }
    return out;
}

// The gain each sample needs to stay below the ceiling, taken as the least over a window on
// either side and then averaged over the same window: the average near a peak is made of values
// no greater than the peak's own need, so the peak is held, and the gain moves smoothly.
void limit(std::vector<float>& speech, uint32_t rate, float ceiling) {
    if (speech.empty()) return;
    std::vector<float> need(speech.size());
    for (size_t i = 0; i < speech.size(); ++i) {
        const float magnitude = std::abs(speech[i]);
        need[i] = magnitude > ceiling ? ceiling / magnitude : 1.0f;
    }
    const auto radius = static_cast<size_t>(rate / 200); // 5 ms
    const std::vector<float> gain = slidingMean(slidingMin(need, radius), radius);
    for (size_t i = 0; i < speech.size(); ++i)
        speech[i] = std::clamp(speech[i] * gain[i], -ceiling, ceiling);
}

} // namespace

double heldRms(std::span<const float> samples, uint32_t rate) {
    const std::vector<double> squares = stretchMeanSquares(samples, rate);
    const double loudest = squares.empty() ? 0 : *std::max_element(squares.begin(), squares.end());
    if (loudest <= 0) return 0;
    double sum = 0;
    int count = 0;
    for (double square : squares)
        if (square >= loudest * kHeldRange * kHeldRange) sum += square, ++count;
    return std::sqrt(sum / count);
}

std::vector<float> resampleSpeech(std::span<const int16_t> samples, uint32_t inputRate,
                                  uint32_t outputRate) {
    constexpr double kLobes = 3;
    const double step = double(inputRate) / outputRate;
    // Going down in rate, the kernel widens so it also cuts what the new rate cannot hold.
    const double scale = std::min(1.0, double(outputRate) / inputRate);
    const double reach = kLobes / scale;
    const auto count = static_cast<size_t>(std::llround(samples.size() / step));
    std::vector<float> out(count);
    const auto n = static_cast<int64_t>(samples.size());
    for (size_t j = 0; j < count; ++j) {
        const double centre = j * step;
        const auto first = static_cast<int64_t>(std::ceil(centre - reach));
        const auto last = static_cast<int64_t>(std::floor(centre + reach));
        double sum = 0;
        for (int64_t i = std::max<int64_t>(first, 0); i <= std::min(last, n - 1); ++i)
            sum += samples[static_cast<size_t>(i)] * lanczos((i - centre) * scale, kLobes);
        out[j] = static_cast<float>(sum * scale / 32768.0);
    }
    return out;
}

void levelSpeech(std::vector<float>& speech, uint32_t rate, double targetRms, float ceiling) {
    for (int pass = 0; pass < 6; ++pass) {
        const double level = heldRms(speech, rate);
        if (level <= 0) return;
        if (pass > 0 && std::abs(std::log10(level / targetRms)) < 0.005) return; // 0.1 dB
        const auto gain = static_cast<float>(targetRms / level);
        for (float& sample : speech)
            sample *= gain;
        limit(speech, rate, ceiling);
    }
}

} // namespace kelvatron
