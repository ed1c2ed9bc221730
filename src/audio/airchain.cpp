#include "audio/airchain.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "audio/crashstage.h"
#include "audio/fadingstage.h"
#include "audio/interferencestage.h"
#include "audio/noisestage.h"
#include "audio/receiverfilter.h"

namespace kelvatron {

namespace {

// The two loudest other stations keying at once: more overlap seldom, and then briefly.
double loudestTwo(const InterferenceStage& stage) {
    std::vector<double> levels;
    for (const InterferingStation& s : stage.stations())
        levels.push_back(s.amplitude);
    std::sort(levels.begin(), levels.end(), std::greater<>());
    levels.resize(std::min<size_t>(levels.size(), 2));
    double sum = 0;
    for (double level : levels)
        sum += level;
    return sum;
}

} // namespace

std::unique_ptr<SignalChain> makeAirChain(const AirConditions& c, uint32_t rate, uint32_t seed) {
    auto chain = std::make_unique<SignalChain>();
    if (!c.on) return chain;
    const double amplitude = std::sqrt(2 * c.tonePower);
    const double bandwidth =
        std::clamp(c.bandwidthHz, AirConditions::kMinBandwidthHz, AirConditions::kMaxBandwidthHz);
    const double noisePower =
        c.noise ? c.tonePower / std::pow(10.0, std::clamp(c.snrDb, AirConditions::kMinSnrDb,
                                                           AirConditions::kMaxSnrDb) / 10)
                : 0;
    auto filter = std::make_unique<ReceiverFilter>(rate, c.toneHz, bandwidth);
    double peak = amplitude + 3 * std::sqrt(noisePower);
    if (c.qsbHz > 0) {
        chain->add(std::make_unique<FadingStage>(
            seed, rate, std::clamp(c.qsbHz, AirConditions::kMinQsbHz, AirConditions::kMaxQsbHz)));
        peak += (kFadingPeak - 1) * amplitude;
    }
    if (c.qrmStations > 0) {
        auto stations = std::make_unique<InterferenceStage>(
            seed, rate, std::min(c.qrmStations, AirConditions::kMaxQrmStations), c.toneHz,
            amplitude, c.dotMs);
        peak += loudestTwo(*stations);
        chain->add(std::move(stations));
    }
    if (c.qrnPercent > 0)
        // Measured after the filter: a crash is as loud through a narrow filter as a wide one.
        chain->add(std::make_unique<CrashStage>(seed, rate, std::min(c.qrnPercent, 100),
                                                amplitude / std::sqrt(filter->noisePowerGain())));
    if (c.noise) chain->add(std::make_unique<NoiseStage>(seed, noisePower / filter->noisePowerGain()));
    if (!chain->empty()) {
        const auto gain = static_cast<float>(std::min(1.0, kAirHeadroom / peak));
        filter->setGain(gain);
        chain->setLevel(gain);
    }
    chain->add(std::move(filter));
    return chain;
}

SignalChainMaker airChainMaker(const AirConditions& conditions) {
    return [conditions](uint32_t rate, uint32_t seed, ChainStream stream) {
        return stream == ChainStream::Placed ? makeAirChain(conditions, rate, seed)
                                             : std::make_unique<SignalChain>();
    };
}

} // namespace kelvatron
