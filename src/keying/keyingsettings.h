#pragma once
#include <cstdint>
#include <optional>

#include "tonegen/tonetypes.h"

namespace kelvatron {

// The settings one element is keyed with, as they stand when the element begins: a change made
// while a sign sounds takes effect at its next element.
struct KeyingSettings {
    bool speaker = false;   // the PC speaker sounds the element
    bool soundCard = false; // the sound card sounds it (after the speaker, when both are chosen)
    double frequency = 0;   // Hz, as the display holds it (not necessarily whole)
    // The waveform option checked last in option order; none leaves the generator's own.
    std::optional<TTGWave> waveform;
    int32_t speedUnit = 0; // ms: the sound card's dot, half the speaker's
    // The dash in dots, the pause after a sign in dashes, the pause after a group in pairs of
    // dashes. Only the steppers' whole values count; any other leaves the length unchanged.
    double ratio = 0;
    double signPause = 0;
    double groupPause = 0;
    // Farnsworth spacing: the signs per minute the gaps are stretched to; 0 keeps the pauses.
    int32_t effectiveSignsPerMinute = 0;

    // The dot in ms: the sound card's is one speed unit, the speaker's two.
    int32_t cardDotMs() const { return speedUnit; }
    int32_t speakerDotMs() const { return 2 * speedUnit; }
    // The dot the learner hears: the sound card's when it sounds, else the speaker's.
    int32_t heardDotMs() const { return soundCard ? cardDotMs() : speakerDotMs(); }
};

// A training mode's own speed, in place of the window's: the dot the learner hears, in ms, and
// the Farnsworth effective speed (0: the pauses as set).
struct TrainingSpeed {
    int32_t dotMs = 60;
    int32_t effectiveSignsPerMinute = 0;
};

// What a sign shows in the text window before it sounds.
struct SignHints {
    bool symbol = false;
    bool code = false;
    bool mnemonic = false;
};

// Where the keying reads its settings: the window's displays, the command line, a test.
class KeyingSettingsSource {
public:
    virtual ~KeyingSettingsSource() = default;
    // Asked afresh before every element.
    virtual KeyingSettings keyingSettings() const = 0;
    virtual SignHints signHints() const = 0;
};

} // namespace kelvatron
