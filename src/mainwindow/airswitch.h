#pragma once
#include <cstdint>

#include "audio/signalchain.h"
#include "mainwindow/airsettings.h"

namespace kelvatron {

class KeyingSettingsSource;
class TimelineSoundDevice;

// The one place that puts the learner's stored air on a sound. For the sound card it does so for
// one exercise or transmission and takes it off again, each time with a fresh seed; whether an
// occasion hears the air at all is AirSettings::hears (a receive exercise or lesson whenever it
// is on, the start button's transmission and a speed test only when chosen). A new training mode
// needs nothing here: the training panel wraps every exercise it runs in an AirScope of the
// mode's airOccasion(). The hand's own key never hears the air (its stream gets an empty chain,
// and between exercises there is no air at all, so the keyboard practice's signs and the sending
// practice's sidetone stay clean on an output with one stream as well).
class AirSwitch {
public:
    AirSwitch(const KeyingSettingsSource& keying, TimelineSoundDevice* device = nullptr)
        : keying_(keying), device_(device) {}

    void setDevice(TimelineSoundDevice* device) { device_ = device; }
    AirSettings& settings() { return settings_; }

    // The stored conditions measured against the keying as it stands now (its tone, form and
    // dot); `on` only when the occasion hears them.
    AirConditions conditionsFor(AirOccasion occasion) const;
    // The chain maker an audio file's render takes: none when exports hear no air. Its seed is
    // the export's, so the same seed and settings give the same file.
    SignalChainMaker exportChain() const;
    // A chain of its own for a sound mixed in memory (the pile-up), from a fresh seed; null
    // when the occasion does not hear the air.
    std::unique_ptr<SignalChain> chainFor(AirOccasion occasion, uint32_t rate) const;

    // The sound card's placed tones hear the air from now on, drawn from a fresh seed.
    void begin(AirOccasion occasion);
    void end();

private:
    const KeyingSettingsSource& keying_;
    TimelineSoundDevice* device_;
    AirSettings settings_ = loadAirSettings();
    bool on_ = false;
};

// The air on the sound card for as long as it lives.
class AirScope {
public:
    AirScope(AirSwitch& air, AirOccasion occasion) : air_(air) { air_.begin(occasion); }
    ~AirScope() { air_.end(); }
    AirScope(const AirScope&) = delete;
    AirScope& operator=(const AirScope&) = delete;

private:
    AirSwitch& air_;
};

} // namespace kelvatron
