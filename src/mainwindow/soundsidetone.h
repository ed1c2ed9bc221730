#pragma once
#include "keying/keyingsettings.h"
#include "keying/livespeakertone.h"
#include "tonegen/sounddevice.h"
#include "training/sidetone.h"

namespace kelvatron {

// The sending practice's sidetone on the window's outputs. Each tone reads the keying settings
// afresh: the sound card's live path at the set frequency and waveform when the sound card is
// chosen (or when there is no speaker to use), else the PC speaker's live tone. A tone ends on
// the route it began on, whatever was chosen meanwhile.
class SoundSidetone : public Sidetone {
public:
    SoundSidetone(SoundDevice& sound, const KeyingSettingsSource& settings,
                  LiveSpeakerTone* speaker = nullptr)
        : sound_(sound), settings_(settings), speaker_(speaker) {}

    void toneOn(double atMs) override;
    void toneOff(double atMs) override;

private:
    enum class Route { None, SoundCard, Speaker };

    SoundDevice& sound_;
    const KeyingSettingsSource& settings_;
    LiveSpeakerTone* speaker_;
    Route sounding_ = Route::None;
};

} // namespace kelvatron
