#pragma once
#include "keying/keyingsettings.h"

namespace kelvatron {

// The window's keying settings at a speed of the drill's own: the dot the learner hears is
// dotMs on whichever output sounds, and no hint shows what is keyed. Everything else (outputs,
// frequency, waveform, ratio, pauses) is the window's, read afresh before every element.
class FixedSpeedSettings : public KeyingSettingsSource {
public:
    explicit FixedSpeedSettings(const KeyingSettingsSource& window) : window_(window) {}
    void setDotMs(int dotMs) { dotMs_ = dotMs; }

    KeyingSettings keyingSettings() const override {
        KeyingSettings k = window_.keyingSettings();
        // The speaker keys two speed units a dot.
        k.speedUnit = k.soundCard ? dotMs_ : (dotMs_ + 1) / 2;
        return k;
    }
    SignHints signHints() const override { return {}; }

private:
    const KeyingSettingsSource& window_;
    int dotMs_ = 60;
};

} // namespace kelvatron
