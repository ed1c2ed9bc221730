#include "render/pileupsound.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "audio/signalchain.h"
#include "core/cp1251.h"
#include "keying/signtable.h"
#include "tonegen/waveheader.h"

namespace kelvatron {

namespace {

constexpr double kEdgeMs = 5;
constexpr size_t kChainBlock = 512;
constexpr float kHeadroom = 0.8f;

// On and off spans of the keying, in dots: true for a tone.
std::vector<std::pair<bool, int>> keyingSpans(std::string_view text) {
    std::vector<std::pair<bool, int>> spans;
    for (char c : toCp1251(text)) {
        if (c == ' ') {
            spans.emplace_back(false, 4); // with the sign gap before it, seven dots
            continue;
        }
        const std::optional<int> sign = findSign(std::string(1, latinPartner(c).value_or(c)));
        if (!sign) continue;
        for (char element : kSignTable[*sign].code) {
            spans.emplace_back(true, element == '-' ? 3 : 1);
            spans.emplace_back(false, 1);
        }
        spans.back().second = 3;
    }
    return spans;
}

} // namespace

std::vector<float> keyedStation(std::string_view text, int cpm, double pitchHz, double level,
                                uint32_t rate) {
    const double dotSamples = 6000.0 / std::max(cpm, 1) * rate / 1000;
    const double edge = kEdgeMs * rate / 1000;
    std::vector<float> out;
    const double step = 2 * std::numbers::pi * pitchHz / rate;
    for (const auto& [on, dots] : keyingSpans(text)) {
        const auto length = size_t(std::lround(dots * dotSamples));
        for (size_t i = 0; i < length; ++i) {
            if (!on) {
                out.push_back(0);
                continue;
            }
            const double fromEdge = std::min<double>(i, length - 1 - i);
            const double shape =
                fromEdge >= edge ? 1 : 0.5 - 0.5 * std::cos(std::numbers::pi * fromEdge / edge);
            // The phase runs on across elements, as an oscillator keyed on and off.
            out.push_back(float(level * shape * std::sin(step * double(out.size()))));
        }
    }
    return out;
}

std::vector<float> mixPileup(const std::vector<PileupCaller>& callers, uint32_t rate,
                             const std::vector<std::string>& texts, SignalChain* chain) {
    std::vector<float> mix;
    for (size_t i = 0; i < callers.size(); ++i) {
        const PileupCaller& c = callers[i];
        const std::vector<float> own =
            keyedStation(texts.empty() ? c.call : texts[i], c.cpm, c.pitchHz, c.level, rate);
        mix.resize(std::max(mix.size(), size_t(c.startSample) + own.size()), 0.f);
        for (size_t s = 0; s < own.size(); ++s)
            mix[size_t(c.startSample) + s] += own[s];
    }
    if (chain)
        for (size_t at = 0; at < mix.size(); at += kChainBlock)
            chain->process(std::span(mix).subspan(at, std::min(kChainBlock, mix.size() - at)),
                           int64_t(at));
    float peak = 0;
    for (float s : mix)
        peak = std::max(peak, std::abs(s));
    if (peak > kHeadroom)
        for (float& s : mix)
            s *= kHeadroom / peak;
    return mix;
}

std::vector<uint8_t> waveImage16(std::span<const float> samples, uint32_t rate) {
    std::vector<uint8_t> image(kWaveHeaderSize + samples.size() * 2);
    writeWaveHeader(std::span<uint8_t, kWaveHeaderSize>(image.data(), kWaveHeaderSize), false, true,
                    rate == 96000, uint32_t(samples.size() * 2));
    for (size_t i = 0; i < samples.size(); ++i) {
        const auto v = int16_t(std::lround(std::clamp(samples[i], -1.f, 1.f) * 32767));
        image[kWaveHeaderSize + 2 * i] = uint8_t(v & 0xff);
        image[kWaveHeaderSize + 2 * i + 1] = uint8_t((uint16_t(v) >> 8) & 0xff);
    }
    return image;
}

} // namespace kelvatron
