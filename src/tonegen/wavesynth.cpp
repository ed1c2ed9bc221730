#include "tonegen/wavesynth.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/random.h"

namespace kelvatron {

namespace {

// MinLevel is the lowest sample value and MaxLevel the span up to the highest one.
struct Levels {
    double minLevel;
    double maxLevel;
    double sineOffset;
};

Levels levelsFor(TTGResolution resolution) {
    if (resolution == TTGResolution::tg16Bit) return {-32767.0, 65534.0, 0.0};
    return {0.0, 255.0, 1.0};
}

int truncToInt(double value) {
    return static_cast<int>(value);
}

template <int Bytes> void store(uint8_t* at, int value) {
    const auto bits = static_cast<uint16_t>(value); // two's complement for negative samples
    at[0] = static_cast<uint8_t>(bits);
    if constexpr (Bytes == 2) at[1] = static_cast<uint8_t>(bits >> 8);
}

// Walks the samples period by period. Every period has a whole number of samples: period k covers
// samples trunc((k-1)P) to trunc(kP) - 1, so the mean frequency is exact. value(i, half) gives the
// sample at in-period index i; periodEnd() runs whenever a period is complete.
template <int Bytes, typename Value, typename PeriodEnd>
void fillPeriods(uint8_t* data, uint64_t dataLength, double samplesPerPeriod, Value value,
                 PeriodEnd periodEnd) {
    int n = truncToInt(samplesPerPeriod);
    int half = n / 2;
    int i = 0;
    double k = 1;
    for (uint64_t pos = 0; pos < dataLength; pos += Bytes) {
        store<Bytes>(data + pos, value(i, half));
        if (++i >= n) {
            i = 0;
            periodEnd();
            k += 1;
            // kP less a whole number not above it is exact in double, so this is
            // trunc(kP) - trunc((k-1)P).
            n = truncToInt(k * samplesPerPeriod - std::trunc((k - 1) * samplesPerPeriod));
            half = n / 2;
        }
    }
}

template <int Bytes>
void fillSine(uint8_t* data, uint64_t dataLength, double samplesPerPeriod, Levels levels) {
    const int n = truncToInt(samplesPerPeriod);
    // The step comes from the first period and the phase restarts with every period, so a sample
    // depends only on its in-period index: each value is computed once and then reused.
    const double step = 2.0 * std::numbers::pi / n;
    std::vector<int> byIndex;
    byIndex.reserve(static_cast<size_t>(n) + 2);
    auto value = [&](int i, int) {
        if (static_cast<size_t>(i) == byIndex.size())
            byIndex.push_back(
                truncToInt((std::sin(i * step) + levels.sineOffset) / 2.0 * levels.maxLevel));
        return byIndex[static_cast<size_t>(i)];
    };
    fillPeriods<Bytes>(data, dataLength, samplesPerPeriod, value, [] {});
}

template <int Bytes>
void fillSquare(uint8_t* data, uint64_t dataLength, double samplesPerPeriod, Levels levels) {
    const int low = truncToInt(levels.minLevel);
    const int high = Bytes == 2 ? 32767 : truncToInt(levels.maxLevel);
    fillPeriods<Bytes>(
        data, dataLength, samplesPerPeriod, [&](int i, int half) { return i < half ? low : high; },
        [] {});
}

template <int Bytes>
void fillTriangle(uint8_t* data, uint64_t dataLength, double samplesPerPeriod, Levels levels) {
    // The slope comes from the first period. A period one sample longer with a longer rising half
    // climbs past the top; such samples are held at the top rather than wrapping around to the
    // opposite extreme, which would click.
    const double increment = levels.maxLevel / (truncToInt(samplesPerPeriod) / 2);
    const int bottom = truncToInt(levels.minLevel);
    const int top = truncToInt(levels.minLevel + levels.maxLevel);
    double running = levels.minLevel;
    auto value = [&](int i, int half) {
        const int v = std::clamp(truncToInt(running), bottom, top);
        running += i < half ? increment : -increment;
        return v;
    };
    fillPeriods<Bytes>(data, dataLength, samplesPerPeriod, value,
                       [&] { running = levels.minLevel; });
}

template <int Bytes>
void fillSawtooth(uint8_t* data, uint64_t dataLength, double samplesPerPeriod, Levels levels) {
    const double increment = levels.maxLevel / truncToInt(samplesPerPeriod);
    double running = levels.minLevel;
    auto value = [&](int, int) {
        const int v = truncToInt(running);
        running += increment;
        return v;
    };
    fillPeriods<Bytes>(data, dataLength, samplesPerPeriod, value,
                       [&] { running = levels.minLevel; });
}

// 16-bit draws go up to 65534 and are stored as they are, so the upper half of the draws
// becomes negative samples.
template <int Bytes> void fillNoise(uint8_t* data, uint64_t dataLength, Levels levels) {
    const auto range = static_cast<uint32_t>(std::trunc(levels.maxLevel + 1.0));
    for (uint64_t pos = 0; pos < dataLength; pos += Bytes)
        store<Bytes>(data + pos, static_cast<int>(Random(range)));
}

template <int Bytes> void synthesize(uint8_t* data, uint64_t dataLength, const ToneShape& shape) {
    const Levels levels = levelsFor(shape.resolution);
    const double samplesPerPeriod =
        static_cast<double>(samplesPer10Ms(shape.quality) * 100) / shape.frequency;
    switch (shape.wave) {
    case TTGWave::tgSine:
        return fillSine<Bytes>(data, dataLength, samplesPerPeriod, levels);
    case TTGWave::tgSquare:
        return fillSquare<Bytes>(data, dataLength, samplesPerPeriod, levels);
    case TTGWave::tgTriangle:
        return fillTriangle<Bytes>(data, dataLength, samplesPerPeriod, levels);
    case TTGWave::tgSawtooth:
        return fillSawtooth<Bytes>(data, dataLength, samplesPerPeriod, levels);
    case TTGWave::tgNoise:
        return fillNoise<Bytes>(data, dataLength, levels);
    }
}

} // namespace

void synthesizeTone(std::span<uint8_t> data, uint64_t dataLength, const ToneShape& shape) {
    const int bytes = bytesPerSample(shape.resolution);
    assert(data.size() >= dataLength + static_cast<uint64_t>(bytes - 1));
    assert(shape.frequency > 0);
    if (bytes == 2)
        synthesize<2>(data.data(), dataLength, shape);
    else
        synthesize<1>(data.data(), dataLength, shape);
}

} // namespace kelvatron
