// The air as it reaches an exported file: the noise at its SNR, within the receiver's passband,
// fading slow as its rate, other stations at their own pitches, and the seed deciding it all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "audio/airchain.h"
#include "audio/interferencestage.h"
#include "core/cp1251.h"
#include "render/exportrenderer.h"
#include "render/rendertesting.h"
#include "support/tempfolder.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace airexport {

constexpr double kTone = 800;

ExportJob airJob(const AirConditions& air, uint32_t seed = 1) {
    ExportJob job;
    job.transmission.textInWindow = true;
    job.transmission.cyrillic = true;
    job.keying = {false, true, kTone, TTGWave::tgSine, 40, 3, 1, 1};
    job.text = toCp1251("ПАРИЖ ТЕСТ ОБМЕН ПАРИЖ ТЕСТ ОБМЕН ПАРИЖ ТЕСТ ОБМЕН");
    job.seed = seed;
    AirConditions full = air;
    full.on = true, full.toneHz = kTone, full.dotMs = 40;
    job.chain = airChainMaker(full);
    return job;
}

std::vector<double> exported(ExportJob job, int* rate = nullptr) {
    TempFolder folder;
    ExportRenderer renderer(std::move(job));
    EXPECT_TRUE(renderer.render(folder.path("air.wav"))) << renderer.error();
    const ReadBack file = readBack(folder.path("air.wav"));
    if (rate) *rate = file.rate;
    return {file.samples.begin(), file.samples.end()};
}

// Frames well inside the keyed tones (1) and well inside the silences (0) of the clean sound,
// 10 ms from any edge; -1 near an edge.
std::vector<int> keyedMask(const std::vector<double>& clean, int rate) {
    const auto margin = static_cast<int64_t>(rate / 100), n = static_cast<int64_t>(clean.size());
    std::vector<int> loud(clean.size()), mask(clean.size(), -1);
    for (int64_t i = 0, last = -margin * 10; i < n; ++i) {
        if (std::abs(clean[size_t(i)]) > 1000) last = i;
        loud[size_t(i)] = i - last < rate / 1000 ? 1 : 0; // within a millisecond of a loud sample
    }
    for (int64_t i = margin; i + margin < n; ++i) {
        const int first = loud[size_t(i - margin)];
        bool same = true;
        for (int64_t j = i - margin; j <= i + margin && same; j += 8)
            same = loud[size_t(j)] == first;
        if (same) mask[size_t(i)] = first;
    }
    return mask;
}

double meanPower(const std::vector<double>& s, const std::vector<int>& mask, int which) {
    double sum = 0;
    int64_t count = 0;
    for (size_t i = 0; i < s.size(); ++i)
        if (mask[i] == which) sum += s[i] * s[i], ++count;
    return sum / double(count);
}

// The power spectrum of frames [at, at + 2^k) under a Hann window.
std::vector<double> spectrum(const std::vector<double>& s, size_t at, size_t size) {
    std::vector<std::complex<double>> x(size);
    for (size_t i = 0; i < size; ++i)
        x[i] = s[at + i] * (0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i) / double(size)));
    for (size_t i = 1, j = 0; i < size; ++i) { // bit reversal, then butterflies
        size_t bit = size >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(x[i], x[j]);
    }
    for (size_t len = 2; len <= size; len <<= 1) {
        const auto w = std::polar(1.0, -2 * std::numbers::pi / double(len));
        for (size_t i = 0; i < size; i += len) {
            std::complex<double> t = 1;
            for (size_t k = 0; k < len / 2; ++k, t *= w) {
                const auto u = x[i + k], v = x[i + k + len / 2] * t;
                x[i + k] = u + v, x[i + k + len / 2] = u - v;
            }
        }
    }
    std::vector<double> power(size / 2);
    for (size_t i = 0; i < size / 2; ++i)
        power[i] = std::norm(x[i]);
    return power;
}

} // namespace airexport

using namespace airexport;

TEST(AirExport, TheNoiseLiesAtItsSignalToNoiseRatio) {
    int rate = 0;
    const auto clean = exported(airJob({}), &rate);
    const auto mask = keyedMask(clean, rate);
    for (double snr : {-5.0, 0.0, 10.0, 20.0}) {
        SCOPED_TRACE(snr);
        AirConditions air;
        air.noise = true, air.snrDb = snr;
        const auto noisy = exported(airJob(air));
        const double noise = meanPower(noisy, mask, 0);
        const double tone = meanPower(noisy, mask, 1) - noise;
        const double measured = 10 * std::log10(tone / noise);
        RecordProperty("snr" + std::to_string(int(snr)), std::to_string(measured));
        EXPECT_NEAR(measured, snr, 1.0);
    }
}

// The filter is linear and the tone the same under two seeds, so the difference of the two files
// is noise alone (twice the power, the same spectrum): its power counted between the edges.
TEST(AirExport, MostOfTheNoiseLiesInThePassband) {
    for (double bandwidth : {100.0, 500.0, 3000.0}) {
        SCOPED_TRACE(bandwidth);
        AirConditions air;
        air.noise = true, air.snrDb = 0, air.bandwidthHz = bandwidth;
        int rate = 0;
        auto noisy = exported(airJob(air, 1), &rate);
        const auto other = exported(airJob(air, 2));
        for (size_t i = 0; i < noisy.size(); ++i) noisy[i] -= other[i];
        const double w0 = 2 * rate * std::tan(std::numbers::pi * kTone / rate);
        const double b = 2 * std::numbers::pi * bandwidth;
        const double low = (-b + std::sqrt(b * b + 4 * w0 * w0)) / 2;
        const double lowHz = std::atan(low / 2 / rate) * rate / std::numbers::pi;
        const double highHz = std::atan((low + b) / 2 / rate) * rate / std::numbers::pi;
        constexpr size_t kSize = 1 << 15;
        double inside = 0, all = 0;
        for (size_t at = 0; at + kSize < noisy.size(); at += kSize) {
            const auto power = spectrum(noisy, at, kSize);
            for (size_t k = 0; k < power.size(); ++k) {
                const double hz = double(k) * rate / double(kSize);
                all += power[k];
                if (hz >= lowHz && hz <= highHz) inside += power[k];
            }
        }
        ASSERT_GT(all, 0);
        RecordProperty("inside" + std::to_string(int(bandwidth)), std::to_string(inside / all));
        EXPECT_GE(inside / all, 0.8);
    }
}

// The fading's gain read off the tone in 10 ms steps (held across silences): its spectrum lies
// below four times the rate.
TEST(AirExport, FadingIsAsSlowAsItsRate) {
    for (double rateHz : {0.5, 2.0}) {
        SCOPED_TRACE(rateHz);
        AirConditions air;
        air.qsbHz = rateHz;
        int rate = 0;
        const auto clean = exported(airJob({}), &rate);
        const auto faded = exported(airJob(air));
        const auto step = size_t(rate / 100);
        std::vector<double> gain;
        double held = 1;
        for (size_t at = 0; at + step <= clean.size(); at += step) {
            double both = 0, own = 0;
            for (size_t i = at; i < at + step; ++i)
                both += faded[i] * clean[i], own += clean[i] * clean[i];
            if (own > step * 1e6) held = both / own;
            gain.push_back(held);
        }
        double mean = 0;
        for (double g : gain) mean += g / double(gain.size());
        for (double& g : gain) g -= mean;
        size_t size = 1;
        while (size * 2 <= gain.size()) size *= 2;
        const auto power = spectrum(gain, 0, size);
        double below = 0, all = 0;
        for (size_t k = 1; k < power.size(); ++k) {
            all += power[k];
            if (double(k) * 100 / double(size) <= 4 * rateHz) below += power[k];
        }
        RecordProperty("below4x" + std::to_string(rateHz), std::to_string(below / all));
        EXPECT_GE(below / all, 0.9);
    }
}

// Static crashes are measured after the filter: the loudest, in the silences between signs,
// outdoes the tone through a narrow filter as through a wide one.
TEST(AirExport, CrashesAreLoudThroughANarrowFilterAsThroughAWideOne) {
    int rate = 0;
    const auto clean = exported(airJob({}), &rate);
    const auto mask = keyedMask(clean, rate);
    for (double bandwidth : {100.0, 3000.0}) {
        SCOPED_TRACE(bandwidth);
        AirConditions air;
        air.qrnPercent = 100, air.bandwidthHz = bandwidth;
        const auto crackling = exported(airJob(air));
        const double tone = meanPower(crackling, mask, 1);
        const auto window = size_t(rate / 100);
        double loudest = 0;
        for (size_t at = 0; at + window <= crackling.size(); at += window) {
            double sum = 0;
            bool silent = true;
            for (size_t i = at; i < at + window; ++i) sum += crackling[i] * crackling[i], silent &= mask[i] == 0;
            if (silent) loudest = std::max(loudest, sum / double(window));
        }
        RecordProperty("crash" + std::to_string(int(bandwidth)), std::to_string(loudest / tone));
        EXPECT_GT(loudest, tone);
        EXPECT_LT(loudest, 16 * tone);
    }
}

// Fading peaks and other stations keying at once stay within full scale: a clipped tone would
// sound its harmonics through the filter.
TEST(AirExport, FadingPeaksAndOtherStationsAreNotClipped) {
    AirConditions fading, crowded;
    fading.qsbHz = 2;
    crowded.qsbHz = 1, crowded.qrmStations = 5, crowded.noise = true, crowded.snrDb = 10;
    crowded.bandwidthHz = 3000;
    for (const AirConditions& air : {fading, crowded}) {
        SCOPED_TRACE(air.qrmStations);
        for (uint32_t seed : {1u, 2u, 3u}) {
            const auto s = exported(airJob(air, seed));
            const auto clipped = std::count_if(s.begin(), s.end(), [](double v) { return std::abs(v) >= 32767; });
            EXPECT_LT(double(clipped) / double(s.size()), 1e-4) << seed;
        }
    }
}

TEST(AirExport, OtherStationsSoundAtTheirOwnPitches) {
    AirConditions air;
    air.qrmStations = 3, air.bandwidthHz = 3000;
    int rate = 0;
    const auto clean = exported(airJob({}), &rate);
    const auto busy = exported(airJob(air, 9));
    // The wanted tone taken away at the level it has in the busy file (the other stations,
    // at other pitches, hardly correlate with it).
    double both = 0, own = 0;
    for (size_t i = 0; i < busy.size(); ++i) both += busy[i] * clean[i], own += clean[i] * clean[i];
    std::vector<double> others(busy.size());
    for (size_t i = 0; i < busy.size(); ++i) others[i] = busy[i] - clean[i] * both / own;
    constexpr size_t kSize = 1 << 16;
    std::vector<double> power(kSize / 2);
    for (size_t at = 0; at + kSize < others.size(); at += kSize)
        for (size_t k = 0; const double p : spectrum(others, at, kSize)) power[k++] += p;
    const InterferenceStage stations(9, rate, 3, kTone, 1, 40);
    for (const auto& station : stations.stations()) {
        SCOPED_TRACE(station.pitchHz);
        const auto bin = [&](double hz) { return size_t(hz * kSize / rate); };
        double near = 0, away = 0;
        for (size_t k = bin(station.pitchHz - 5); k <= bin(station.pitchHz + 5); ++k) near += power[k];
        // Beside it, on the side away from the wanted tone.
        const double side = station.pitchHz < kTone ? -1 : 1;
        const double from = station.pitchHz + side * 30, to = station.pitchHz + side * 40;
        for (size_t k = bin(std::min(from, to)); k <= bin(std::max(from, to)); ++k) away += power[k];
        RecordProperty("pitch" + std::to_string(int(station.pitchHz)), std::to_string(near / away));
        EXPECT_GT(near, 10 * away);
    }
}

TEST(AirExport, TheSeedDecidesTheNoise) {
    AirConditions air;
    air.noise = true, air.snrDb = 0, air.qsbHz = 1, air.qrmStations = 2, air.qrnPercent = 50;
    const auto first = exported(airJob(air, 3)), again = exported(airJob(air, 3)),
               other = exported(airJob(air, 4));
    EXPECT_EQ(first, again);
    ASSERT_EQ(first.size(), other.size());
    double same = 0, power = 0;
    for (size_t i = 0; i < first.size(); ++i)
        same += first[i] * other[i], power += first[i] * first[i];
    RecordProperty("otherSeedCorrelation", std::to_string(same / power));
    EXPECT_LT(std::abs(same) / power, 0.5); // the noise no longer matches
}
