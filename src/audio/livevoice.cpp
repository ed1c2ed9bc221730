#include "audio/livevoice.h"

#include <algorithm>
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
    keyChanged();
    waveform_ = waveform;
    step_ = frequency > 0 ? double(frequency) / rate_ : 0;
}

void LiveVoice::keyUp() {
    held_ = false;
    keyChanged();
}

void LiveVoice::keyChanged() {
    since_ = 0;
    edgeAtKey_ = edge_;
    phaseAtKey_ = phase_;
}

void LiveVoice::rewind(int64_t frames) {
    since_ -= std::clamp<int64_t>(frames, 0, since_);
    // Held, every frame sounds; released, those before the edge reached zero.
    const int64_t sounded = held_ ? since_ : std::min<int64_t>(since_, std::max(0, edgeAtKey_ - 1));
    edge_ = static_cast<int32_t>(held_ ? std::min<int64_t>(edgeFrames_, edgeAtKey_ + since_)
                                       : std::max<int64_t>(0, edgeAtKey_ - since_));
    phase_ = phaseAtKey_ + static_cast<double>(sounded) * step_;
    phase_ -= std::floor(phase_);
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
    ++since_;
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
