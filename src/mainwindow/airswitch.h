#pragma once
#include <cstdint>

#include "mainwindow/airsettings.h"

namespace kelvatron {

class KeyingSettingsSource;
class TimelineSoundDevice;

// Puts the air on the sound card's placed tones for one exercise or transmission and takes it
// off again, each time with a fresh seed: the receive exercise hears it whenever it is on, the
// start button's transmission when chosen too. The hand's own key never does (its stream gets an
// empty chain, and between exercises there is no air at all, so the keyboard practice's signs and
// the sending practice's sidetone stay clean on an output with one stream as well).
class AirSwitch {
public:
    AirSwitch(const KeyingSettingsSource& keying, TimelineSoundDevice* device = nullptr)
        : keying_(keying), device_(device) {}

    void setDevice(TimelineSoundDevice* device) { device_ = device; }
    AirSettings& settings() { return settings_; }

    // forTransmission: the start button's, heard only when chosen.
    void begin(bool forTransmission);
    void end();

private:
    const KeyingSettingsSource& keying_;
    TimelineSoundDevice* device_;
    AirSettings settings_ = loadAirSettings();
    bool on_ = false;
};

// On for as long as it lives.
class AirScope {
public:
    AirScope(AirSwitch& air, bool forTransmission) : air_(air) { air_.begin(forTransmission); }
    ~AirScope() { air_.end(); }
    AirScope(const AirScope&) = delete;
    AirScope& operator=(const AirScope&) = delete;

private:
    AirSwitch& air_;
};

} // namespace kelvatron
