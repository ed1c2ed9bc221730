#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "audio/signalstage.h"

namespace kelvatron {

// One other station on the band (QRM), as drawn from a seed.
struct InterferingStation {
    double pitchHz = 0;    // the tone's pitch moved by 50..600 Hz up or down
    double amplitude = 0;  // 0..-20 dB of the wanted tone's
    double dotFrames = 0;  // the wanted dot at a speed of its own (within 30 % either way)
    std::vector<std::pair<int64_t, int64_t>> keyed; // [down, up) frames within one period
};

// Other stations keying their own texts beside the wanted signal: calls (CQ ... DE ... K),
// exchanges and groups of five, each station with its own speed, pitch and level, starting after
// a silence of its own and falling silent again between its texts. A station's keying is laid
// out when the stage is built for a period of kPeriodSeconds, which then repeats; the sound at a
// frame follows from the frame's position alone (edges rise and fall in 5 ms).
class InterferenceStage : public SignalStage {
public:
    InterferenceStage(uint32_t seed, double rate, int stations, double toneHz, double toneAmplitude,
                      double dotMs);
    void process(std::span<float> block, int64_t position) override;

    const std::vector<InterferingStation>& stations() const { return stations_; }

    static constexpr double kPeriodSeconds = 900;

private:
    void addStation(const InterferingStation& station, std::span<float> block, int64_t position);

    double rate_;
    int64_t period_;
    float edgeFrames_;
    std::vector<InterferingStation> stations_;
};

} // namespace kelvatron
