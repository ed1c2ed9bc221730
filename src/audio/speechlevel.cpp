#include "audio/speechlevel.h"

#include <algorithm>
#include <cmath>
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

// The speech driven into a soft clip: the louder the drive, the closer every part of it comes to
// the ceiling, and never past it.
std::vector<float> driven(const std::vector<float>& speech, double drive, float ceiling) {
    std::vector<float> out(speech.size());
    for (size_t i = 0; i < speech.size(); ++i)
        out[i] = static_cast<float>(ceiling * std::tanh(drive * speech[i] / ceiling));
    return out;
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

// A voice's peaks stand some 10 dB over its level, a tone's 3 dB: at a tone's level the speech
// would clip. A soft clip with the drive found by bisection brings it to the level asked for
// (or as near as the ceiling allows), its peaks rounded off rather than cut.
void levelSpeech(std::vector<float>& speech, uint32_t rate, double targetRms, float ceiling) {
    float peak = 0;
    for (float sample : speech)
        peak = std::max(peak, std::abs(sample));
    if (peak == 0) return;
    for (float& sample : speech)
        sample *= ceiling / peak;
    double low = std::log(0.1), high = std::log(1000.0);
    for (int step = 0; step < 24; ++step) {
        const double middle = (low + high) / 2;
        (heldRms(driven(speech, std::exp(middle), ceiling), rate) < targetRms ? low : high) =
            middle;
    }
    speech = driven(speech, std::exp((low + high) / 2), ceiling);
}

} // namespace kelvatron
