#pragma once
#include <optional>

#include "keying/keyingsettings.h"

namespace kelvatron {

struct FormControls;

// The keying settings as the window's controls hold them: the output options, the frequency,
// ratio and pause displays, the waveform options and the speed bar.
class FormKeyingSettings : public KeyingSettingsSource {
public:
    explicit FormKeyingSettings(const FormControls& ui) : ui_(ui) {}
    KeyingSettings keyingSettings() const override;
    SignHints signHints() const override;
    // Farnsworth spacing, chosen in the training panel: 0 keeps the pauses.
    void setEffectiveSignsPerMinute(int spm) { effective_ = spm; }
    // A training mode's own speed while it keys (a course lesson at its typed speed, a speed
    // test's block) in place of the speed bar and the Farnsworth choice; nothing gives them back.
    void setTrainingSpeed(std::optional<TrainingSpeed> speed) { training_ = speed; }

private:
    const FormControls& ui_;
    int effective_ = 0;
    std::optional<TrainingSpeed> training_;
};

} // namespace kelvatron
