#include "audio/livevoice.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelvatron {

namespace {

double voicePeriod(uint32_t rate, int32_t frequency) {
    return static_cast<double>(rate) / std::max(frequency, LiveVoice::kLowestFrequency);
}

} // namespace

LiveVoice::LiveVoice(uint32_t rate)
    : rate_(rate), edgeFrames_(static_cast<int32_t>(std::lround(kEdgeMs * rate / 1000))),
      sineTable_(WaveSynth::sineTableSize(voicePeriod(rate, kLowestFrequency))),
      wave_(TTGWave::tgSine, voicePeriod(rate, 1000), TTGResolution::tg16Bit, sineTable_,
            noise_) {}

void LiveVoice::keyDown(int32_t frequency, TTGWave waveform) {
    // A tone that starts from silence starts at the beginning of its period; one that is still
    // fading keeps its place in the wave, so the turn is smooth.
    frequency = std::clamp(frequency, kLowestFrequency, static_cast<int32_t>(rate_ / 2));
    if (!sounding() || frequency != frequency_ || waveform != waveform_)
        wave_ = WaveSynth(waveform, voicePeriod(rate_, frequency), TTGResolution::tg16Bit,
                          sineTable_, noise_);
    frequency_ = frequency;
    waveform_ = waveform;
    held_ = true;
    keyChanged();
}

void LiveVoice::keyUp() {
    held_ = false;
    keyChanged();
}

void LiveVoice::keyChanged() {
    since_ = 0;
    edgeAtKey_ = edge_;
    waveAtKey_ = wave_.position();
}

void LiveVoice::rewind(int64_t frames) {
    since_ -= std::clamp<int64_t>(frames, 0, since_);
    // Held, every frame sounds; released, those before the edge reached zero.
    const int64_t sounded = held_ ? since_ : std::min<int64_t>(since_, std::max(0, edgeAtKey_ - 1));
    edge_ = static_cast<int32_t>(held_ ? std::min<int64_t>(edgeFrames_, edgeAtKey_ + since_)
                                       : std::max<int64_t>(0, edgeAtKey_ - since_));
    wave_.seek(waveAtKey_ + sounded);
}

float LiveVoice::next() {
    ++since_;
    if (held_ && edge_ < edgeFrames_) ++edge_;
    if (!held_ && edge_ > 0) --edge_;
    if (edge_ == 0) return 0;
    const double gain = 0.5 - 0.5 * std::cos(std::numbers::pi * edge_ / edgeFrames_);
    // 16-bit noise is stored as drawn (up to 65534), so its upper half is negative.
    const float s = static_cast<int16_t>(wave_.next()) / 32767.0f;
    return static_cast<float>(std::clamp(s, -1.0f, 1.0f) * gain);
}

} // namespace kelvatron
