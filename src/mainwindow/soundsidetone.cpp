#include "mainwindow/soundsidetone.h"

#include <cmath>

namespace kelvatron {

void SoundSidetone::toneOn(double atMs) {
    if (sounding_ != Route::None) return;
    const KeyingSettings s = settings_.keyingSettings();
    const auto frequency = static_cast<int32_t>(std::lround(s.frequency));
    if (s.speaker && !s.soundCard && speaker_) {
        sounding_ = Route::Speaker;
        speaker_->keyDown(frequency, atMs);
        return;
    }
    sounding_ = Route::SoundCard;
    // Without a waveform option the tone generator sounds a sine; so does the sidetone.
    sound_.keyDownAt(frequency, s.waveform.value_or(TTGWave::tgSine), atMs);
}

void SoundSidetone::toneOff(double atMs) {
    if (sounding_ == Route::Speaker && speaker_) speaker_->keyUp(atMs);
    if (sounding_ == Route::SoundCard) sound_.keyUpAt(atMs);
    sounding_ = Route::None;
}

} // namespace kelvatron
