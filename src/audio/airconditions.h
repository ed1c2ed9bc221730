#pragma once
#include <cstdint>
#include <optional>

#include "tonegen/tonetypes.h"

namespace kelvatron {

// How the air treats the wanted signal: noise, the receiver's filter, fading, other stations and
// static crashes, with the tone they are measured against. Each condition is off at its "off"
// value; all of them are off unless `on`.
struct AirConditions {
    bool on = false;
    bool noise = false;       // white noise at snrDb
    double snrDb = 10;        // -10..30: the tone's mean power while keyed / the noise's after the filter
    double bandwidthHz = 500; // 100..3000: the receiver's band-pass, centred on the tone
    double qsbHz = 0;         // 0 (off) or 0.05..2: the rate of Rayleigh fading
    int qrmStations = 0;      // 0..5 other stations
    int qrnPercent = 0;       // 0..100: rate and strength of static crashes

    // The wanted tone as the chain sees it while keyed: its pitch, its mean power (a full-scale
    // sine is 1/2, a full-scale square 1) and its dot, which the other stations' speeds follow.
    double toneHz = 800;
    double tonePower = 0.5;
    double dotMs = 60;

    static constexpr double kMinSnrDb = -10, kMaxSnrDb = 30;
    static constexpr double kMinBandwidthHz = 100, kMaxBandwidthHz = 3000;
    static constexpr double kMinQsbHz = 0.05, kMaxQsbHz = 2;
    static constexpr int kMaxQrmStations = 5, kMaxQrnPercent = 100;

    // Whether anything is added to the wanted signal (and so the level leaves headroom for it).
    bool adds() const { return noise || qrmStations > 0 || qrnPercent > 0; }
};

// Where a sound is heard, which decides whether the stored air reaches it (AirSettings::hears).
enum class AirOccasion : uint8_t {
    Exercise,     // a receive exercise or a course lesson: whenever the air is on
    SpeedTest,    // a block of a speed test: only when the air is chosen for speed tests too
    Transmission, // the start button's: only when the air is chosen for it too
    Export,       // an audio file of what the start button keys: whenever the air is on
};

// A full-scale tone's mean power by its form: a sine's is half its peak's square, a square's all
// of it, the ramps' and the noise's a third.
inline double fullScalePower(std::optional<TTGWave> waveform) {
    if (!waveform || *waveform == TTGWave::tgSine) return 0.5;
    return *waveform == TTGWave::tgSquare ? 1.0 : 1.0 / 3;
}

} // namespace kelvatron
