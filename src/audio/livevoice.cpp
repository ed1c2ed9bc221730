#include "audio/livevoice.h"

#include <cmath>
#include <numbers>

namespace kelvatron {

LiveVoice::LiveVoice(uint32_t rate)
    : rate_(rate), edgeFrames_(static_cast<int32_t>(std::lround(kEdgeMs * rate / 1000))) {}

void LiveVoice::keyDown(int32_t frequency, TTGWave waveform) {
    // A tone that starts from silence starts at the beginning of its period; one that is still
    // fading keeps its phase, so the turn is smooth.
    if (!sounding()) phase_ = 0;
    held_ = true;
    waveform_ = waveform;
    step_ = frequency > 0 ? double(frequency) / rate_ : 0;
}

void LiveVoice::keyUp() {
    held_ = false;
}

float LiveVoice::wave() {
    const double p = phase_;
    switch (waveform_) {
    case TTGWave::tgSine:
        return static_cast<float>(std::sin(2 * std::numbers::pi * p));
    case TTGWave::tgSquare:
        return p < 0.5 ? 1.0f : -1.0f;
    case TTGWave::tgTriangle:
        return static_cast<float>(p < 0.25 ? 4 * p : p < 0.75 ? 2 - 4 * p : 4 * p - 4);
    case TTGWave::tgSawtooth:
        return static_cast<float>(p < 0.5 ? 2 * p : 2 * p - 2);
    case TTGWave::tgNoise:
        noise_ = noise_ * 1664525u + 1013904223u;
        return static_cast<float>(int32_t(noise_) / 2147483648.0);
    }
    return 0;
}

float LiveVoice::next() {
    if (held_ && edge_ < edgeFrames_) ++edge_;
    if (!held_ && edge_ > 0) --edge_;
    if (edge_ == 0) return 0;
    const double gain = 0.5 - 0.5 * std::cos(std::numbers::pi * edge_ / edgeFrames_);
    const float s = wave();
    phase_ += step_;
    phase_ -= std::floor(phase_);
    return static_cast<float>(s * gain);
}

} // namespace kelvatron
